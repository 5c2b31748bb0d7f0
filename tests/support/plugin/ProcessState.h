#ifndef CIMHTTP_TESTS_SUPPORT_PROCESSSTATE_H
#define CIMHTTP_TESTS_SUPPORT_PROCESSSTATE_H

#include <dirent.h>

#include <cstddef>
#include <fstream>
#include <string>

// What /proc shows of this process: its threads, its open file descriptors
// and its resident memory. Header only, for programs that link none of the
// test helpers.
namespace cimhttp_test {

// Entries of a /proc directory, "." and ".." left out.
inline std::size_t EntriesOf(const char* directory)
{
    std::size_t count = 0;
    if (DIR* listing = opendir(directory)) {
        while (const dirent* entry = readdir(listing))
            if (entry->d_name[0] != '.')
                ++count;
        closedir(listing);
    }
    return count;
}

inline std::size_t ThreadCount()
{
    return EntriesOf("/proc/self/task");
}

// The listing's own descriptor is left out.
inline std::size_t OpenFileCount()
{
    return EntriesOf("/proc/self/fd") - 1;
}

// A "Vm...:" line of /proc/self/status in kB (VmRSS, VmHWM); 0 when missing.
inline std::size_t StatusKilobytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    std::size_t kilobytes = 0;
    while (status >> name) {
        if (name == field + ":" && status >> kilobytes)
            return kilobytes;
        status.ignore(4096, '\n');
    }
    return 0;
}

inline std::size_t ResidentKilobytes()
{
    return StatusKilobytes("VmRSS");
}

}  // namespace cimhttp_test

#endif
