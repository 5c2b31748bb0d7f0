#ifndef QEL_TQELEXCEPTION_H
#define QEL_TQELEXCEPTION_H

#include <exception>
#include <string>

#include <qel/TQELStatusCode.h>

namespace NVORNQEL20 {

// The exception of the host and its providers: one status code, whose text is
// what() (the detail, when given, says which value or name was at fault).
class TQELException : public std::exception {
public:
    explicit TQELException(TQELStatusCode status, std::string detail = std::string());

    const char* what() const noexcept override;
    const TQELStatusCode& GetStatusCode() const;
    const std::string& GetDetail() const;

private:
    TQELStatusCode fStatus;
    std::string fText;
    std::string fDetail;
};

}  // namespace NVORNQEL20

#endif
