#include "class/TCimHTTPTarnController.h"

#include <algorithm>
#include <cctype>

#include <qel/SPLibrary.h>

#include "client/Debug.h"

namespace NVORNQEL20 {

namespace {

// The firmware-version request: channel 1, responder 20h, network function
// 3Ah, LUN 0, command 50h, no data.
const unsigned char kVersionRequest[] = {0x01, 0x20, 0x3A, 0x00, 0x50, 0x00};
const int kBufferLength = 256;
const int kCompletionCodeAt = 4;
const int kVersionAt = 9;
const int kVersionLength = 4;

const unsigned char kFirstNamedCode = 0xC0;

// The texts IPMI gives the completion codes C0h to D5h.
const char* const kCompletionCodeTexts[] = {
    "Node busy",
    "Invalid command",
    "Command invalid for given LUN",
    "Timeout while processing command",
    "Out of space",
    "Reservation canceled or invalid reservation ID",
    "Request data truncated",
    "Request data length invalid",
    "Request data field length limit exceeded",
    "Parameter out of range",
    "Cannot return number of requested data bytes",
    "Requested sensor, data, or record not present",
    "Invalid data field in request",
    "Command illegal for specified sensor or record type",
    "Command response could not be provided",
    "Cannot execute duplicated request",
    "Command response could not be provided: SDR repository in update mode",
    "Command response could not be provided: device in firmware update mode",
    "Command response could not be provided: controller initialization in progress",
    "Destination unavailable",
    "Cannot execute command: insufficient privilege level",
    "Command or request parameter not supported in present state",
};

std::string CompletionCodeText(unsigned char code)
{
    const std::size_t index = static_cast<std::size_t>(code - kFirstNamedCode);
    if (code < kFirstNamedCode || index >= sizeof kCompletionCodeTexts / sizeof kCompletionCodeTexts[0])
        return "Unknown error";
    return kCompletionCodeTexts[index];
}

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

// An answer too short to hold the version counts as an error of its own,
// rather than reading what the request left in the buffer.
std::string TCimHTTPTarnController::Version()
{
    SPLibrary* library = SPLibrary::GetSplibraryInstance(0);
    if (!library) {
        WriteLog(eLogWarning, "Could not load SPLibrary.");
        return "";
    }
    unsigned char buffer[kBufferLength] = {};
    std::copy(std::begin(kVersionRequest), std::end(kVersionRequest), buffer);
    int length = kBufferLength;
    if (!library->sendIPMICommand(buffer, &length, kBufferLength, true)) {
        Trace("Failure in sending command to obtain Tarn version.\n");
        return "";
    }
    if (length <= kCompletionCodeAt) {
        Trace("IPMI Error in obtaining Tarn version: no completion code\n");
        return "";
    }
    const unsigned char completionCode = buffer[kCompletionCodeAt];
    if (completionCode != 0) {
        Trace("IPMI Error in obtaining Tarn version: " + CompletionCodeText(completionCode) + "\n");
        return "";
    }
    if (length < kVersionAt + kVersionLength) {
        Trace("IPMI Error in obtaining Tarn version: answer of " + std::to_string(length) + " bytes\n");
        return "";
    }
    return std::string(reinterpret_cast<const char*>(buffer + kVersionAt), kVersionLength);
}

std::string TCimHTTPTarnController::ServiceType()
{
    const std::string version = Version();
    Trace("Tarn Version: " + version + "\n");
    const std::string prefix = UpperCase(version);
    std::string serviceType;
    if (prefix == "GKWE")
        serviceType = "service:management-hardware.VORN:tarnhold";
    else if (prefix == "3GKW")
        serviceType = "service:management-hardware.VORN:tarnhold2";
    Trace("SLP Service Type: " + serviceType + "\n");
    return serviceType;
}

}  // namespace NVORNQEL20
