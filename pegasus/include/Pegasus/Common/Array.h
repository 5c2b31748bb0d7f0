#ifndef Pegasus_Array_h
#define Pegasus_Array_h

#include <Pegasus/Common/Config.h>
#include <Pegasus/Common/Exception.h>
#include <utility>
#include <vector>

PEGASUS_NAMESPACE_BEGIN

namespace ArrayDetail
{
// std::vector<bool> packs bits and cannot hand out a bool*, so Booleans are
// kept one per byte in a cell that a bool* may point into.
template <class T> struct Cell { using type = T; };
struct BoolCell { bool value; };
template <> struct Cell<bool> { using type = BoolCell; };

template <class T> T& valueOf(T& cell) { return cell; }
template <class T> const T& valueOf(const T& cell) { return cell; }
inline bool& valueOf(BoolCell& cell) { return cell.value; }
inline const bool& valueOf(const BoolCell& cell) { return cell.value; }
}

PEGASUS_COMMON_LINKAGE void throwIndexOutOfBounds(Uint32 index, Uint32 size);

template <class T>
class Array
{
    using Cell = typename ArrayDetail::Cell<T>::type;

public:
    Array() = default;
    explicit Array(Uint32 size) : _cells(size, Cell()) {}
    Array(Uint32 size, const T& x) : _cells(size, Cell{x}) {}
    Array(const T* items, Uint32 size) { append(items, size); }

    Uint32 size() const { return static_cast<Uint32>(_cells.size()); }
    Uint32 getCapacity() const { return static_cast<Uint32>(_cells.capacity()); }
    void reserveCapacity(Uint32 capacity) { _cells.reserve(capacity); }

    T& operator[](Uint32 index) { return ArrayDetail::valueOf(_cells[checked(index)]); }
    const T& operator[](Uint32 index) const { return ArrayDetail::valueOf(_cells[checked(index)]); }

    const T* getData() const { return _cells.empty() ? nullptr : &ArrayDetail::valueOf(_cells[0]); }

    void append(const T& x) { _cells.push_back(Cell{x}); }
    void append(T&& x) { _cells.push_back(Cell{std::move(x)}); }
    void append(const T* items, Uint32 size)
    {
        for (Uint32 i = 0; i < size; ++i)
            append(items[i]);
    }
    void appendArray(const Array<T>& other) { _cells.insert(_cells.end(), other._cells.begin(), other._cells.end()); }
    void prepend(const T& x) { insert(0, x); }
    void insert(Uint32 index, const T& x)
    {
        if (index > size())
            throwIndexOutOfBounds(index, size());
        _cells.insert(_cells.begin() + index, Cell{x});
    }

    void remove(Uint32 index) { remove(index, 1); }
    void remove(Uint32 index, Uint32 count)
    {
        if (index > size() || count > size() - index)
            throwIndexOutOfBounds(index + count, size());
        _cells.erase(_cells.begin() + index, _cells.begin() + index + count);
    }
    void clear() { _cells.clear(); }
    void swap(Array<T>& other) { _cells.swap(other._cells); }

private:
    Uint32 checked(Uint32 index) const
    {
        if (index >= size())
            throwIndexOutOfBounds(index, size());
        return index;
    }

    std::vector<Cell> _cells;
};

template <class T>
Boolean operator==(const Array<T>& a, const Array<T>& b)
{
    if (a.size() != b.size())
        return false;
    for (Uint32 i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i]))
            return false;
    return true;
}

PEGASUS_NAMESPACE_END

#endif
