// cimhttp: the command-line host of libcimhttp.nsp.so.
#include "program/TProgram.h"

int main(int argc, char** argv) { return NCimHTTPCli::TProgram::Run(argc, argv); }
