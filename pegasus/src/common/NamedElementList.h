#ifndef Pegasus_NamedElementList_h
#define Pegasus_NamedElementList_h

#include <Pegasus/Common/CIMName.h>
#include <Pegasus/Common/Exception.h>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

// The qualifiers, properties, methods or parameters of one element: kept in
// the order added, names unique without regard to case.
template <class T>
class NamedElementList
{
public:
    void add(T element)
    {
        if (find(element.getName()) != PEG_NOT_FOUND)
            throw AlreadyExistsException(String("duplicate name \"" + element.getName().getString().str() + "\""));
        if (_elements.empty())
            _elements.reserve(INITIAL_CAPACITY);
        _elements.push_back(std::move(element));
    }

    Uint32 find(const CIMName& name) const
    {
        for (size_t i = 0; i < _elements.size(); ++i)
            if (_elements[i].getName().equal(name))
                return static_cast<Uint32>(i);
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
    }

    Uint32 size() const { return static_cast<Uint32>(_elements.size()); }

private:
    // Most elements have a handful of qualifiers or a dozen properties:
    // one allocation instead of four growth steps.
    static const size_t INITIAL_CAPACITY = 8;
    std::vector<T> _elements;
};

PEGASUS_NAMESPACE_END

#endif
