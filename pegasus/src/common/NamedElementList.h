#ifndef Pegasus_NamedElementList_h
#define Pegasus_NamedElementList_h

#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/Exception.h>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// The qualifiers, properties, methods or parameters of one element: kept in
// the order added, names unique without regard to case. Long lists keep an
// index of their names, so that a server's answer with thousands of
// properties is not checked for duplicates in quadratic time; it is built
// on change, never on look-up, so that reading stays free of writes.
template <class T>
class NamedElementList
{
public:
    NamedElementList() = default;
    NamedElementList(const NamedElementList& other) : _elements(other._elements) { indexIfLong(); }
    NamedElementList(NamedElementList&&) = default;
    NamedElementList& operator=(NamedElementList&&) = default;

    NamedElementList& operator=(const NamedElementList& other)
    {
        _elements = other._elements;
        indexIfLong();
        return *this;
    }

    void reserve(Uint32 capacity) { _elements.reserve(capacity); }

    void add(const T& element) { add(T(element)); }

    void add(T&& element)
    {
        if (find(element.getName()) != PEG_NOT_FOUND)
            throw AlreadyExistsException(String("duplicate name \"" + element.getName().getString().str() + "\""));
        if (_elements.capacity() == 0)
            _elements.reserve(INITIAL_CAPACITY);
        _elements.push_back(std::move(element));
        if (_index)
            _index->emplace(folded(_elements.back().getName()), size() - 1);
        else if (_elements.size() > INDEX_THRESHOLD)
            indexIfLong();
    }

    Uint32 find(const CIMName& name) const
    {
        if (_index)
        {
            const auto found = _index->find(folded(name));
            return found == _index->end() ? PEG_NOT_FOUND : found->second;
        }
        const std::string& wanted = name.getString().str();
        for (size_t i = 0; i < _elements.size(); ++i)
        {
            // Every element added is looked for first: names of another
            // size or initial are passed over without a call.
            const std::string& candidate = _elements[i].getName().getString().str();
            if (candidate.size() == wanted.size() && (wanted.empty() || sameLetter(candidate[0], wanted[0]))
                && _elements[i].getName().equal(name))
                return static_cast<Uint32>(i);
        }
        return PEG_NOT_FOUND;
    }

    const T& get(Uint32 index) const
    {
        if (index >= _elements.size())
            throwIndexOutOfBounds(index, size());
        return _elements[index];
    }

    void remove(Uint32 index)
    {
        get(index);
        _elements.erase(_elements.begin() + index);
        indexIfLong();
    }

    Uint32 size() const { return static_cast<Uint32>(_elements.size()); }

    // The same names with a clone() of each element, for elements whose
    // copies share their representation.
    NamedElementList cloned() const
    {
        NamedElementList copy;
        copy._elements.reserve(_elements.size());
        for (const T& element : _elements)
            copy._elements.push_back(element.clone());
        copy.indexIfLong();
        return copy;
    }

private:
    using Index = std::unordered_map<std::string, Uint32>;

    static bool sameLetter(char a, char b) { return a == b || (a | 0x20) == (b | 0x20); }

    // Names compare without regard to ASCII case, as CIMName::equal does.
    static std::string folded(const CIMName& name)
    {
        String text = name.getString();
        text.toLower();
        return text.str();
    }

    void indexIfLong()
    {
        _index.reset();
        if (_elements.size() <= INDEX_THRESHOLD)
            return;
        _index = std::make_unique<Index>();
        for (size_t i = 0; i < _elements.size(); ++i)
            _index->emplace(folded(_elements[i].getName()), static_cast<Uint32>(i));
    }

    // Most elements have a handful of qualifiers or a dozen properties:
    // one allocation instead of four growth steps, and no index.
    static const size_t INITIAL_CAPACITY = 8;
    static const size_t INDEX_THRESHOLD = 32;
    std::vector<T> _elements;
    std::unique_ptr<Index> _index;
};

PEGASUS_NAMESPACE_END

#endif
