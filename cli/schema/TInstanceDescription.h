#ifndef CIMHTTP_CLI_SCHEMA_TINSTANCEDESCRIPTION_H
#define CIMHTTP_CLI_SCHEMA_TINSTANCEDESCRIPTION_H

#include <functional>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include <qel/ICIMInstance.h>
#include <qel/ICIMProperty.h>

#include "output/Json.h"

namespace NCimHTTPCli {

// An instance as text: the path with the node, and a row per property of
// its name, its display text (array elements joined with ", ") and, when
// asked for, its raw value.
struct TInstanceText {
    std::string fHeading;
    std::vector<std::vector<std::string>> fRows;
};

// An instance of the host as data: its path, class and node, and every
// property the host lists for it (inherited ones included, through the
// declarations up the superclass chain) with its type, its display text
// (the plug-in's TCimHTTPProperty, steered by the declaration's qualifiers;
// one text per element of an array) and its raw value.
class TInstanceDescription {
public:
    static TJson Describe(const NVORNQEL20::ICIMInstance& instance);
    static TInstanceText Text(const NVORNQEL20::ICIMInstance& instance, bool raw);

private:
    typedef std::function<void(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property, const std::string& name)>
        TPropertyVisitor;

    // Every property with its declared name; the value of the one that
    // holds the node (null when there is none).
    static TJson Walk(const NVORNQEL20::ICIMInstance& instance, const TPropertyVisitor& visit);
    static std::string NameOf(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property);
    static TJson Property(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property, const std::string& name);
    // What the plug-in shows for a property: one text, or for an array one
    // per element (none for a null array).
    struct TShown {
        bool fIsArray = false;
        std::string fText;
        std::vector<std::string> fElements;
    };
    static TShown Shown(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property);
    // As JSON: a string, an array of strings, or null for a null array.
    static TJson DisplayOf(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property);
    // As table text: array elements joined with ", ".
    static std::string DisplayTextOf(const boost::shared_ptr<NVORNQEL20::ICIMProperty>& property);
};

}  // namespace NCimHTTPCli

#endif
