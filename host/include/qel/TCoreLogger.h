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
// records up to a capacity) and can also write each one as a line
// "<level> <message>" to stderr or to a file. Thread-safe.
class TCoreLogger : public ICoreLogger {
public:
    typedef std::pair<int, std::string> TRecord;

    static const std::size_t kDefaultCapacity = 100000;

    TCoreLogger();

    void Log(int level, const std::string& message) override;

    std::vector<TRecord> Records() const;
    void Clear();
    // Keeps at most this many of the newest records.
    void SetCapacity(std::size_t capacity);

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
    std::size_t fCapacity;
    EOutput fOutput;
    std::ofstream fFile;
};

}  // namespace NVORNQEL20

#endif
