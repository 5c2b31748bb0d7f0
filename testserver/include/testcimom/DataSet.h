#pragma once
// The data a server starts with. "capture" is what the captured OpenPegasus
// server served (root/cimv2, root/test with Test_Big and Test_Empty,
// root/SampleProvider); "demo" looks like a real server's inventory without
// any VMware class instance; "demo-esxi" adds a VMware hypervisor identity.

#include "testcimom/MethodProviders.h"
#include "testcimom/Repository.h"

#include <optional>
#include <string>
#include <vector>

namespace testcimom {

enum class DataSetKind { Empty, Capture, Demo, DemoEsxi };

const char* dataSetName(DataSetKind kind);
std::optional<DataSetKind> parseDataSetName(const std::string& name);

struct DataFile {
    std::string nameSpace;
    std::string path;
};

struct DataSetOptions {
    DataSetKind kind = DataSetKind::Capture;
    std::size_t testBigInstances = 10000;
    std::string esxiVersion = "5.5.0 build-1331820";
    std::string dataDirectory;         // empty: the data files of the source tree
    std::vector<DataFile> extraFiles;  // loaded after the data set
    int nodeNumber = 0;                // > 0: instance IDs carry "@node<N>"
};

class DataSet {
public:
    // Throws std::runtime_error for unreadable files and CimError for
    // declarations the repository refuses.
    static void load(Repository& repository, MethodProviders& methods, const DataSetOptions& options);
    // Qualifier declarations, classes and instances of one CIM-XML
    // DECLARATION file into a namespace (created when missing).
    static void loadFile(Repository& repository, const std::string& nameSpace, const std::string& path,
                         int nodeNumber = 0);
    static std::string defaultDataDirectory();
};

}  // namespace testcimom
