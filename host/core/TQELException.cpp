#include <qel/TQELException.h>

#include <utility>

namespace NVORNQEL20 {

TQELException::TQELException(TQELStatusCode status, std::string detail)
    : fStatus(status), fText(status.TranslateStatusCode()), fDetail(std::move(detail)) {}

const char* TQELException::what() const noexcept { return fText.c_str(); }

const TQELStatusCode& TQELException::GetStatusCode() const { return fStatus; }

const std::string& TQELException::GetDetail() const { return fDetail; }

}  // namespace NVORNQEL20
