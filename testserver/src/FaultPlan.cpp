#include "testcimom/FaultPlan.h"

#include "testcimom/CimModel.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace testcimom {

namespace {

const std::array<std::pair<FaultKind, const char*>, 22> kFaultNames = {{
    {FaultKind::Delay, "delay"},
    {FaultKind::CloseBeforeResponse, "close-before-response"},
    {FaultKind::NeverAnswer, "never-answer"},
    {FaultKind::AbortHandshake, "abort-handshake"},
    {FaultKind::CloseMidHeader, "close-mid-header"},
    {FaultKind::CloseMidBody, "close-mid-body"},
    {FaultKind::CloseMidChunk, "close-mid-chunk"},
    {FaultKind::SlowBytes, "slow-bytes"},
    {FaultKind::NoContentLength, "no-content-length"},
    {FaultKind::ContentLengthTooShort, "content-length-short"},
    {FaultKind::ContentLengthTooLong, "content-length-long"},
    {FaultKind::HttpStatus, "http-status"},
    {FaultKind::CimError, "cim-error"},
    {FaultKind::CimErrorInTrailer, "cim-error-trailer"},
    {FaultKind::Chunked, "chunked"},
    {FaultKind::NotXml, "not-xml"},
    {FaultKind::TruncatedXml, "truncated-xml"},
    {FaultKind::WrongStructureXml, "wrong-structure-xml"},
    {FaultKind::InvalidUtf8, "invalid-utf8"},
    {FaultKind::EntityExpansion, "entity-expansion"},
    {FaultKind::ExternalEntity, "external-entity"},
    {FaultKind::ResponseSize, "response-size"},
}};

bool matchesName(const std::string& pattern, const std::string& name)
{
    return sameName(pattern, "all") || sameName(pattern, name);
}

bool matchesRequest(const Fault& fault, const std::string& operation, const std::string& className)
{
    return fault.kind != FaultKind::AbortHandshake && matchesName(fault.operation, operation) &&
           matchesName(fault.className, className);
}

bool matchesHandshake(const Fault& fault, const std::string&, const std::string&)
{
    return fault.kind == FaultKind::AbortHandshake;
}

long number(const std::string& key, const std::string& text)
{
    try {
        std::size_t used = 0;
        long value = std::stol(text, &used);
        if (used == text.size() && value >= -1)
            return value;
    } catch (const std::exception&) {
    }
    throw std::invalid_argument("fault option " + key + " needs a number, not \"" + text + "\"");
}

void applyOption(Fault& fault, const std::string& key, const std::string& value)
{
    if (key == "op")
        fault.operation = value;
    else if (key == "class")
        fault.className = value;
    else if (key == "count")
        fault.count = static_cast<int>(number(key, value));
    else if (key == "ms")
        fault.delay = std::chrono::milliseconds(number(key, value));
    else if (key == "status")
        fault.httpStatus = static_cast<int>(number(key, value));
    else if (key == "code")
        fault.cimCode = static_cast<int>(number(key, value));
    else if (key == "size")
        fault.size = static_cast<std::size_t>(number(key, value));
    else
        throw std::invalid_argument("unknown fault option \"" + key + "\"");
}

}  // namespace

const char* faultKindName(FaultKind kind)
{
    for (const auto& entry : kFaultNames) {
        if (entry.first == kind)
            return entry.second;
    }
    return "?";
}

std::optional<FaultKind> parseFaultKind(const std::string& name)
{
    for (const auto& entry : kFaultNames) {
        if (name == entry.second)
            return entry.first;
    }
    return std::nullopt;
}

Fault parseFault(const std::string& text)
{
    std::string kindName = text.substr(0, text.find(':'));
    std::optional<FaultKind> kind = parseFaultKind(kindName);
    if (!kind)
        throw std::invalid_argument("unknown fault \"" + kindName + "\"");
    Fault fault;
    fault.kind = *kind;
    if (kindName.size() == text.size())
        return fault;
    std::string options = text.substr(kindName.size() + 1);
    for (std::size_t start = 0; start <= options.size();) {
        std::size_t end = options.find(',', start);
        std::string option = options.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::size_t equals = option.find('=');
        if (equals == std::string::npos)
            throw std::invalid_argument("fault option \"" + option + "\" needs key=value");
        applyOption(fault, option.substr(0, equals), option.substr(equals + 1));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return fault;
}

void FaultPlan::add(Fault fault)
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.push_back(std::move(fault));
}

void FaultPlan::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
}

std::size_t FaultPlan::pending() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return faults_.size();
}

std::optional<Fault> FaultPlan::takeIf(bool (*matches)(const Fault&, const std::string&, const std::string&),
                                       const std::string& operation, const std::string& className)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (!matches(*it, operation, className))
            continue;
        Fault fault = *it;
        if (it->count > 0 && --it->count == 0)
            faults_.erase(it);
        return fault;
    }
    return std::nullopt;
}

std::optional<Fault> FaultPlan::take(const std::string& operation, const std::string& className)
{
    return takeIf(matchesRequest, operation, className);
}

std::optional<Fault> FaultPlan::takeHandshakeFault()
{
    return takeIf(matchesHandshake, "", "");
}

}  // namespace testcimom
