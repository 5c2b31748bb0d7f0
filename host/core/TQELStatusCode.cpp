#include <qel/TQELStatusCode.h>

namespace NVORNQEL20 {

TQELStatusCode::TQELStatusCode(int code) : fCode(code) {}

int TQELStatusCode::GetCode() const { return fCode; }

TQELStatusCode::operator int() const { return fCode; }

std::string TQELStatusCode::TranslateStatusCode() const {
    switch (fCode) {
        case eSuccess:
            return "Success";
        case eNotSupported:
            return "Operation not supported";
        case eInvalidValue:
            return "Invalid value";
        case eTypeMismatch:
            return "Type mismatch";
        case eNotFound:
            return "Not found";
        case eAlreadyExists:
            return "Already exists";
        case eReferenceInNonAssociation:
            return "Reference property in a class that is not an association";
        case eInvalidName:
            return "Invalid CIM name";
        case eQualifierConflict:
            return "Conflicting qualifier";
        case eModificationNotSupported:
            return "Modification not supported";
        case eMissingContextValue:
            return "Required context value missing";
        case eConnectionSetupFailed:
            return "Connection setup failed";
        case eLibraryLoadFailed:
            return "Provider library could not be loaded";
        default:
            return "Status code " + std::to_string(fCode);
    }
}

}  // namespace NVORNQEL20
