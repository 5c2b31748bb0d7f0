#ifndef TestSupport_DtdValidator_h
#define TestSupport_DtdValidator_h

#include <string>

// Validates CIM-XML documents against the DMTF DTD (DSP0203) with libxml2;
// returns "" when valid, otherwise libxml2's complaints.
std::string dtdErrors(const std::string& xml);

#endif
