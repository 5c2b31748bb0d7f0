#ifndef Pegasus_CIMDateTime_h
#define Pegasus_CIMDateTime_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/String.h>
#include <string_view>

PEGASUS_NAMESPACE_BEGIN

// A CIM datetime in its 25-character form: a timestamp
// "yyyymmddhhmmss.mmmmmmsutc" (s is "+" or "-", utc the offset in minutes)
// or an interval "ddddddddhhmmss.mmmmmm:000". Fields may be "*" where DMTF
// DSP0004 allows them to be left open. The default is the zero
// interval.
class PEGASUS_COMMON_LINKAGE CIMDateTime
{
public:
    static const Uint32 TEXT_SIZE = 25;

    CIMDateTime();
    // Throws InvalidDateTimeFormatException when the text is not a
    // datetime of either form.
    CIMDateTime(const String& text);
    CIMDateTime(const char* text);

    void set(const String& text);
    String toString() const;
    Boolean isInterval() const { return _text[21] == ':'; }
    Boolean isTimeStamp() const { return !isInterval(); }
    Boolean equal(const CIMDateTime& other) const;

private:
    void setText(std::string_view text);
    char _text[TEXT_SIZE];
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const CIMDateTime& a, const CIMDateTime& b);

PEGASUS_NAMESPACE_END

#endif
