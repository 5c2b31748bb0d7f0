#ifndef PegasusBench_SaxFloor_h
#define PegasusBench_SaxFloor_h

#include <cstddef>
#include <string>

// The parsing floor of a CIM-XML answer: libxml2's SAX2 push parser over
// the bytes, fed in pieces, with start/end/characters handlers that build
// nothing. True when the text is well-formed.
bool parseOnly(const std::string& body, std::size_t pieceSize);

#endif
