#ifndef Pegasus_String_h
#define Pegasus_String_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/Char16.h>
// Client programs print with cout and endl after including nothing but the
// client headers, as OpenPegasus's String.h brings in the streams.
#include <iostream>
#include <string>

PEGASUS_NAMESPACE_BEGIN

// A NUL-terminated UTF-8 copy of a String that outlives the expression
// that produced it.
class PEGASUS_COMMON_LINKAGE CString
{
public:
    CString() = default;
    explicit CString(std::string text) : _text(std::move(text)) {}
    operator const char*() const { return _text.c_str(); }

private:
    std::string _text;
};

// Text in UTF-8. Every constructor takes UTF-8 and every accessor gives
// UTF-8; sizes and indexes count bytes.
class PEGASUS_COMMON_LINKAGE String
{
public:
    static const String EMPTY;

    String() = default;
    String(const char* text) : _text(text ? text : "") {}
    String(const char* text, Uint32 size) : _text(text, size) {}
    String(const std::string& text) : _text(text) {}
    String(std::string&& text) : _text(std::move(text)) {}

    Uint32 size() const { return static_cast<Uint32>(_text.size()); }
    CString getCString() const { return CString(_text); }
    const std::string& str() const { return _text; }
    char operator[](Uint32 index) const;

    String& append(const String& other);
    String& append(const char* text, Uint32 size);
    String& append(char c);
    String& append(Char16 c);
    String& operator+=(const String& other) { return append(other); }

    void clear() { _text.clear(); }
    void reserveCapacity(Uint32 capacity) { _text.reserve(capacity); }
    void remove(Uint32 index, Uint32 size = PEG_NOT_FOUND);
    String subString(Uint32 index, Uint32 size = PEG_NOT_FOUND) const;
    Uint32 find(char c) const;
    Uint32 find(const String& text) const;
    Uint32 find(Uint32 index, char c) const;

    void toLower();
    void toUpper();

    // ASCII letters compare without regard to case; other bytes exactly.
    static Boolean equalNoCase(const String& a, const String& b)
    {
        return a._text.size() == b._text.size() && compareNoCase(a, b) == 0;
    }
    static Boolean equal(const String& a, const String& b) { return a._text == b._text; }
    static int compare(const String& a, const String& b) { return a._text.compare(b._text); }
    static int compareNoCase(const String& a, const String& b);

private:
    std::string _text;
};

PEGASUS_COMMON_LINKAGE Boolean operator==(const String& a, const String& b);
PEGASUS_COMMON_LINKAGE Boolean operator==(const String& a, const char* b);
PEGASUS_COMMON_LINKAGE Boolean operator==(const char* a, const String& b);
PEGASUS_COMMON_LINKAGE Boolean operator!=(const String& a, const String& b);
PEGASUS_COMMON_LINKAGE Boolean operator<(const String& a, const String& b);
PEGASUS_COMMON_LINKAGE String operator+(const String& a, const String& b);
PEGASUS_COMMON_LINKAGE std::ostream& operator<<(std::ostream& os, const String& s);

PEGASUS_NAMESPACE_END

#endif
