#ifndef Pegasus_Config_h
#define Pegasus_Config_h

// Portable names shared by every Pegasus header, spelt as client programs
// written for OpenPegasus expect them.

#define PEGASUS_NAMESPACE_BEGIN namespace Pegasus {
#define PEGASUS_NAMESPACE_END }
#define PEGASUS_USING_PEGASUS using namespace Pegasus
#define PEGASUS_USING_STD using namespace std
#define PEGASUS_STD(X) std::X

#define PEGASUS_COMMON_LINKAGE __attribute__((visibility("default")))
#define PEGASUS_CLIENT_LINKAGE __attribute__((visibility("default")))

#define PEGASUS_UINT64_LITERAL(X) X##ULL
#define PEGASUS_SINT64_LITERAL(X) X##LL

PEGASUS_NAMESPACE_BEGIN

typedef bool Boolean;
typedef unsigned char Uint8;
typedef signed char Sint8;
typedef unsigned short Uint16;
typedef short Sint16;
typedef unsigned int Uint32;
typedef int Sint32;
typedef unsigned long long Uint64;
typedef long long Sint64;
typedef float Real32;
typedef double Real64;

// Returned by the find functions when nothing of that name exists.
static const Uint32 PEG_NOT_FOUND = Uint32(-1);

PEGASUS_NAMESPACE_END

#endif
