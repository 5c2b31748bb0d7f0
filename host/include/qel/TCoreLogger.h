#ifndef QEL_TCORELOGGER_H
#define QEL_TCORELOGGER_H

#include <cstddef>
#include <deque>
#include <fstream>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <qel/ICoreLogger.h>

namespace NVORNQEL20 {

// The host's logger. It keeps every message as it was sent (the newest
// records, up to a number of records and a number of message bytes) and can
// also write each one as a line "<level> <message>" to stderr or to a file.
// Thread-safe.
class TCoreLogger : public ICoreLogger {
public:
    typedef std::pair<int, std::string> TRecord;

    static constexpr std::size_t kDefaultCapacity = 100000;
    // 16 MiB of message text: some 4,000 of the longest lines the plug-in
    // writes, or the 100,000 records of typical trace lines.
    static constexpr std::size_t kDefaultByteCapacity = 16 * 1024 * 1024;

    TCoreLogger();

    void Log(int level, const std::string& message) override;

    std::vector<TRecord> Records() const;
    void Clear();
    // Keeps at most this many of the newest records.
    void SetCapacity(std::size_t capacity);
    // Keeps the newest records whose messages hold at most this many bytes
    // together; the newest record stays whatever its size.
    void SetByteCapacity(std::size_t bytes);

    void WriteToStderr();
    // Appends to the file; throws TQELException (invalid value) when it cannot be opened.
    void WriteToFile(const std::string& path);
    void WriteToNothing();

private:
    enum EOutput { eNoOutput, eStderr, eFile };

    void Write(int level, const std::string& message);
    void DropOldestBeyondCapacity();

    mutable std::mutex fMutex;
    std::deque<TRecord> fRecords;
    std::size_t fBytes;
    std::size_t fCapacity;
    std::size_t fByteCapacity;
    EOutput fOutput;
    std::ofstream fFile;
};

}  // namespace NVORNQEL20

#endif
