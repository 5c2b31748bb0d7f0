#ifndef QEL_TQELSTATUSCODE_H
#define QEL_TQELSTATUSCODE_H

#include <string>

namespace NVORNQEL20 {

// A numeric status of the host and its providers, with a text for people.
class TQELStatusCode {
public:
    enum EStatus {
        eSuccess = 0,
        eNotSupported = 1,
        eInvalidValue = 4,
        eTypeMismatch = 14,
        eNotFound = 15,
        eAlreadyExists = 16,
        eReferenceInNonAssociation = 22,
        eInvalidName = 25,
        eQualifierConflict = 28,
        eModificationNotSupported = 31,
        eMissingContextValue = 32,
        eConnectionSetupFailed = 42,
        eLibraryLoadFailed = 43
    };

    TQELStatusCode(int code = eSuccess);

    int GetCode() const;
    operator int() const;

    // A distinct text for every known code; "Status code N" for any other.
    std::string TranslateStatusCode() const;

private:
    int fCode;
};

}  // namespace NVORNQEL20

#endif
