#ifndef HOST_TESTS_SUPPORT_STATUSOF_H
#define HOST_TESTS_SUPPORT_STATUSOF_H

#include <functional>

#include <qel/TQELException.h>

// The status of the TQELException the action throws; 0 when it throws none.
inline int StatusOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const NVORNQEL20::TQELException& error) {
        return error.GetStatusCode();
    }
    return 0;
}

#endif
