#pragma once
// The CIMOM's store: namespaces with qualifier declarations, classes as they
// were declared (local definitions) and instances. Classes are resolved
// against their superclasses on the way out, the way a CIMOM presents them.
// Safe to change while a server reads it.

#include "testcimom/CimModel.h"

#include <map>
#include <memory>
#include <optional>
#include <shared_mutex>
#include <string>
#include <vector>

namespace testcimom {

struct StoredInstance {
    ObjectPath path;  // local path: class name and sorted key bindings
    Instance instance;
};
using InstanceRef = std::shared_ptr<const StoredInstance>;

class Repository {
public:
    void addNamespace(const std::string& nameSpace);
    bool hasNamespace(const std::string& nameSpace) const;
    std::vector<std::string> namespaceNames() const;

    void setQualifierDecl(const std::string& nameSpace, QualifierDecl decl);
    std::vector<QualifierDecl> qualifierDecls(const std::string& nameSpace) const;

    // Throws CimError: INVALID_NAMESPACE, ALREADY_EXISTS, INVALID_SUPERCLASS.
    void addClass(const std::string& nameSpace, CimClass localClass);
    // Replaces the local definition; subclasses and instances stay.
    void replaceClass(const std::string& nameSpace, CimClass localClass);
    // Removes the class with its subclasses and all their instances.
    void removeClass(const std::string& nameSpace, const std::string& className);

    std::optional<CimClass> localClass(const std::string& nameSpace, const std::string& className) const;
    // The class with everything it inherits: PROPAGATED and CLASSORIGIN set.
    std::optional<CimClass> resolvedClass(const std::string& nameSpace, const std::string& className) const;
    // Subclass names of a class (of the top, for an empty name), depth first.
    std::vector<std::string> subclassNames(const std::string& nameSpace, const std::string& className,
                                           bool deep) const;

    // Fills the properties the instance leaves out from the class (marked
    // PROPAGATED), computes its path and stores it. Throws CimError.
    ObjectPath addInstance(const std::string& nameSpace, Instance instance);
    // Adds, or replaces the stored instance with the same path.
    ObjectPath putInstance(const std::string& nameSpace, Instance instance);
    // Adds many instances at once (data sets of thousands of instances).
    void addInstances(const std::string& nameSpace, std::vector<Instance> instances);
    // Shares instances another repository completed against the same classes
    // (they are immutable), so generated data sets are built once per process.
    void shareInstances(const std::string& nameSpace, const std::vector<InstanceRef>& instances);
    void removeInstance(const std::string& nameSpace, const ObjectPath& path);
    void removeInstances(const std::string& nameSpace, const std::string& className);

    // Instances of the class and, with deep, of all its subclasses.
    std::vector<InstanceRef> instances(const std::string& nameSpace, const std::string& className,
                                       bool deep = true) const;
    InstanceRef findInstance(const std::string& nameSpace, const ObjectPath& path) const;

private:
    struct NamespaceData {
        std::string name;
        std::vector<QualifierDecl> qualifierDecls;
        std::vector<CimClass> classes;  // local definitions, in the order they came
        std::map<std::string, std::vector<InstanceRef>> instances;  // by lower-case class name
        std::map<std::string, InstanceRef> byPath;                  // by canonical path
    };

    NamespaceData& data(const std::string& nameSpace);
    const NamespaceData& data(const std::string& nameSpace) const;
    std::optional<CimClass> resolve(const NamespaceData& ns, const std::string& className) const;
    // `chain` holds the lower-case names resolved below this one.
    std::optional<CimClass> resolve(const NamespaceData& ns, const std::string& className,
                                    std::vector<std::string>& chain) const;
    void collectSubclasses(const NamespaceData& ns, const std::string& className, bool deep,
                           std::vector<std::string>& out) const;
    const CimClass& classFor(const NamespaceData& ns, const std::string& className,
                             std::map<std::string, CimClass>& resolved) const;
    ObjectPath store(NamespaceData& ns, const CimClass& cimClass, Instance instance, bool replace);
    ObjectPath storeOne(const std::string& nameSpace, Instance instance, bool replace);
    void forget(NamespaceData& ns, const std::string& className);

    mutable std::shared_mutex mutex_;
    std::map<std::string, NamespaceData> namespaces_;  // by lower-case name
};

}  // namespace testcimom
