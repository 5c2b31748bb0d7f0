#ifndef QEL_TCIMVALUE_H
#define QEL_TCIMVALUE_H

#include <iosfwd>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/TCIMChar16.h>
#include <qel/TCIMDateTime.h>

namespace NVORNQEL20 {

class ICIMClass;
class TCIMReference;

// The host's variant value: one CIM type, null or holding data.
//
// Type numbers are full CIM types: an array value reports its element number
// plus 16 (29 for an array of strings), like a declaration of that type.
//
// Conversion rules of the reading operators:
// - numbers (boolean as 0/1, char16 as its code, integers and reals) convert
//   to any numeric type whose range holds the value; reals are truncated
//   toward zero when read as integers;
// - strings convert when the whole text is a number of the target kind
//   ("TRUE"/"FALSE" in any letter case for bool);
// - a null scalar reads as false, 0 or the empty string;
// - everything else (datetimes, references and arrays read as numbers, a
//   number out of the target's range, ...) throws TQELException, status 14.
class TCIMValue {
public:
    class TCIMType {
    public:
        enum ECIMType : int {
            eNoType = 0,
            eBoolean = 1,
            eUint8 = 2,
            eSint8 = 3,
            eUint16 = 4,
            eSint16 = 5,
            eUint32 = 6,
            eSint32 = 7,
            eUint64 = 8,
            eSint64 = 9,
            eReal32 = 10,
            eReal64 = 11,
            eChar16 = 12,
            eString = 13,
            eDateTime = 14,
            eReference = 15,
            eArray = 16,  // array of no type; element type N is array type N + eArray
            eBooleanArray = 17,
            eUint8Array = 18,
            eSint8Array = 19,
            eUint16Array = 20,
            eSint16Array = 21,
            eUint32Array = 22,
            eSint32Array = 23,
            eUint64Array = 24,
            eSint64Array = 25,
            eReal32Array = 26,
            eReal64Array = 27,
            eChar16Array = 28,
            eStringArray = 29,
            eDateTimeArray = 30,
            eReferenceArray = 31
        };

        TCIMType(ECIMType type = eNoType);
        operator ECIMType() const;

        bool IsArray() const;
        // The element type of an array type; a scalar type is its own element.
        TCIMType GetElementType() const;
        // The array type of this element type (itself when already an array).
        TCIMType GetArrayType() const;
        // "uint32", "string[]", "type 42" for numbers outside 0..31.
        std::string GetName() const;

    private:
        ECIMType fType;
    };

    // A null value of no type.
    TCIMValue();
    TCIMValue(bool value);
    TCIMValue(unsigned char value);
    TCIMValue(signed char value);
    TCIMValue(unsigned short value);
    TCIMValue(short value);
    TCIMValue(unsigned int value);
    TCIMValue(int value);
    TCIMValue(unsigned long value);
    TCIMValue(long value);
    TCIMValue(unsigned long long value);
    TCIMValue(long long value);
    TCIMValue(float value);
    TCIMValue(double value);
    TCIMValue(const std::string& value);
    TCIMValue(const char* value);
    TCIMValue(const TCIMChar16& value);
    TCIMValue(const TCIMDateTime& value);
    TCIMValue(const TCIMReference& value);
    // A null value of the given type (an array type gives a null array).
    TCIMValue(TCIMType type, unsigned arraySize);
    // An array of the given element type (an array type is taken as its
    // element type) holding the elements, padded with null elements up to
    // arraySize. Elements of another type throw TQELException, status 14.
    TCIMValue(TCIMType elementType, unsigned arraySize, const std::vector<TCIMValue>& elements);

    TCIMValue(const TCIMValue& other);
    TCIMValue(TCIMValue&& other) noexcept;
    TCIMValue& operator=(const TCIMValue& other);
    TCIMValue& operator=(TCIMValue&& other) noexcept;
    ~TCIMValue();

    operator bool() const;
    operator unsigned char() const;
    operator signed char() const;
    operator unsigned short() const;
    operator short() const;
    operator unsigned int() const;
    operator int() const;
    operator unsigned long long() const;
    operator long long() const;
    operator float() const;
    operator double() const;
    // The text of ToString(10).
    operator std::string() const;
    // The elements of an array (a null array reads as empty; through the
    // non-const form it becomes an empty array that can be filled).
    operator const std::vector<TCIMValue>&() const;
    operator std::vector<TCIMValue>&();

    // Datetime and reference values; other types throw TQELException, status 14.
    const TCIMDateTime& GetDateTime() const;
    const TCIMReference& GetReference() const;

    TCIMType GetType() const;
    // The element number of an array value; a scalar's own type.
    TCIMType GetElementType() const;
    bool IsArray() const;
    bool IsNull() const;
    bool IsReference() const;

    // Replaces the value by the text. A string value (or one of no type)
    // becomes the string; a value of another scalar type keeps its type and
    // takes the text read as that type (number, TRUE/FALSE, CIM datetime,
    // object path, char16), throwing TQELException, status 14, when the text
    // does not read as it. Arrays throw status 14.
    void Set(const std::string& text);
    void Set(const char* text);

    // Numbers in the radix (2..36; any other radix writes decimal), reals in
    // decimal, booleans as TRUE/FALSE, strings unchanged, datetimes and
    // references as their CIM text, char16 as the UTF-8 character, null as ""
    // and arrays as their elements joined with ",".
    std::string ToString(unsigned char radix = 10) const;

    // The class a reference value points to, held weakly.
    boost::shared_ptr<ICIMClass> GetReferencedClass() const;
    void SetReferencedClass(boost::shared_ptr<ICIMClass> referencedClass);

    // Equal: same type, both null or both holding equal data. Ordering: by
    // type, null first, then by data (NaN after every other real).
    bool operator==(const TCIMValue& other) const;
    bool operator!=(const TCIMValue& other) const;
    bool operator<(const TCIMValue& other) const;

private:
    typedef std::variant<std::monostate, bool, unsigned long long, long long, double, std::string,
                         TCIMDateTime, std::shared_ptr<const TCIMReference>, std::vector<TCIMValue>>
        TData;

    TCIMValue(TCIMType type, TData data);
    static TCIMValue FromText(TCIMType type, const std::string& text, const TCIMValue& old);
    static TCIMValue IntegerFromText(TCIMType type, const std::string& text);
    static TCIMValue RealFromText(TCIMType type, const std::string& text);

    template <typename T>
    T ReadInteger() const;
    double ReadReal() const;
    void AdoptUntypedNullElements();
    void CheckElements() const;

    TCIMType fType;
    TData fData;
    boost::weak_ptr<ICIMClass> fReferencedClass;
};

std::ostream& operator<<(std::ostream& out, const TCIMValue::TCIMType& type);

// The accessors every conversion and display asks many times per value.

inline TCIMValue::TCIMType::TCIMType(ECIMType type) : fType(type) {}

inline TCIMValue::TCIMType::operator ECIMType() const { return fType; }

inline bool TCIMValue::TCIMType::IsArray() const { return fType >= eArray && fType <= eReferenceArray; }

inline TCIMValue::TCIMType TCIMValue::TCIMType::GetElementType() const {
    return IsArray() ? TCIMType(static_cast<ECIMType>(fType - eArray)) : *this;
}

inline TCIMValue::TCIMType TCIMValue::GetType() const { return fType; }

inline TCIMValue::TCIMType TCIMValue::GetElementType() const { return fType.GetElementType(); }

inline bool TCIMValue::IsArray() const { return fType.IsArray(); }

inline bool TCIMValue::IsNull() const { return std::holds_alternative<std::monostate>(fData); }

inline bool TCIMValue::IsReference() const { return fType == TCIMType::eReference; }

}  // namespace NVORNQEL20

#endif
