#include <qel/TCoreLogger.h>

#include <iostream>

#include <qel/TQELException.h>

namespace NVORNQEL20 {

namespace {

void WriteLine(std::ostream& out, int level, const std::string& message) {
    out << level << ' ' << message;
    if (message.empty() || message.back() != '\n') {
        out << '\n';
    }
    out.flush();
}

}  // namespace

TCoreLogger::TCoreLogger()
    : fBytes(0), fCapacity(kDefaultCapacity), fByteCapacity(kDefaultByteCapacity), fOutput(eNoOutput) {}

void TCoreLogger::Log(int level, const std::string& message) {
    std::lock_guard<std::mutex> lock(fMutex);
    fRecords.emplace_back(level, message);
    fBytes += message.size();
    DropOldestBeyondCapacity();
    Write(level, message);
}

void TCoreLogger::Write(int level, const std::string& message) {
    if (fOutput == eStderr) {
        WriteLine(std::cerr, level, message);
    } else if (fOutput == eFile) {
        WriteLine(fFile, level, message);
    }
}

void TCoreLogger::DropOldestBeyondCapacity() {
    while (fRecords.size() > fCapacity || (fBytes > fByteCapacity && fRecords.size() > 1)) {
        fBytes -= fRecords.front().second.size();
        fRecords.pop_front();
    }
}

std::vector<TCoreLogger::TRecord> TCoreLogger::Records() const {
    std::lock_guard<std::mutex> lock(fMutex);
    return std::vector<TRecord>(fRecords.begin(), fRecords.end());
}

void TCoreLogger::Clear() {
    std::lock_guard<std::mutex> lock(fMutex);
    fRecords.clear();
    fBytes = 0;
}

void TCoreLogger::SetCapacity(std::size_t capacity) {
    std::lock_guard<std::mutex> lock(fMutex);
    fCapacity = capacity;
    DropOldestBeyondCapacity();
}

void TCoreLogger::SetByteCapacity(std::size_t bytes) {
    std::lock_guard<std::mutex> lock(fMutex);
    fByteCapacity = bytes;
    DropOldestBeyondCapacity();
}

void TCoreLogger::WriteToStderr() {
    std::lock_guard<std::mutex> lock(fMutex);
    fFile.close();
    fOutput = eStderr;
}

void TCoreLogger::WriteToFile(const std::string& path) {
    std::ofstream file(path, std::ios::app);
    if (!file) {
        throw TQELException(TQELStatusCode::eInvalidValue, "cannot open log file '" + path + "'");
    }
    std::lock_guard<std::mutex> lock(fMutex);
    fFile = std::move(file);
    fOutput = eFile;
}

void TCoreLogger::WriteToNothing() {
    std::lock_guard<std::mutex> lock(fMutex);
    fFile.close();
    fOutput = eNoOutput;
}

}  // namespace NVORNQEL20
