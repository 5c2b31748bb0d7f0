#include "testcimom/Repository.h"

#include "ClassResolver.h"
#include "TypedText.h"
#include "testcimom/CimError.h"

#include <algorithm>
#include <mutex>

namespace testcimom {

namespace {

using WriteLock = std::unique_lock<std::shared_mutex>;
using ReadLock = std::shared_lock<std::shared_mutex>;

std::vector<CimClass>::const_iterator findClass(const std::vector<CimClass>& classes, const std::string& name)
{
    return std::find_if(classes.begin(), classes.end(),
                        [&](const CimClass& cimClass) { return sameName(cimClass.name, name); });
}

std::string keyValueType(CimType type)
{
    switch (type) {
    case CimType::Boolean:
        return "boolean";
    case CimType::String:
    case CimType::Char16:
    case CimType::Datetime:
        return "string";
    default:
        return "numeric";
    }
}

KeyBinding keyBinding(const Property& property)
{
    KeyBinding key;
    key.name = property.name;
    if (property.value.type == CimType::Reference) {
        key.reference = std::make_shared<ObjectPath>(property.value.references.front());
    } else {
        key.valueType = keyValueType(property.value.type);
        key.value = property.value.items.front();
    }
    return key;
}

ObjectPath pathOf(const CimClass& cimClass, const Instance& instance)
{
    ObjectPath path;
    path.className = cimClass.name;
    for (const Property& declared : cimClass.properties) {
        if (!cimClass.isKey(declared))
            continue;
        const Property* property = instance.findProperty(declared.name);
        if (property == nullptr || property->value.isNull || property->value.isArray ||
            (property->value.items.empty() && property->value.references.empty()))
            throw CimError(CimStatus::InvalidParameter, "key property " + declared.name + " has no value");
        path.keys.push_back(keyBinding(*property));
    }
    std::sort(path.keys.begin(), path.keys.end(), [](const KeyBinding& a, const KeyBinding& b) {
        return lowerName(a.name) < lowerName(b.name);
    });
    return path;
}

// Takes the declared type over from the class, so a test may set a uint16
// property from plain text.
Property typedLike(const Property& declared, Property given)
{
    given.name = declared.name;
    given.value.type = declared.value.type;
    given.value.isArray = declared.value.isArray;
    given.referenceClass = declared.referenceClass;
    given.classOrigin.clear();
    return given;
}

// Boolean and numeric keys compare as values: TRUE is true, 0x10 is 16.
std::string keyText(const KeyBinding& key)
{
    if (key.valueType == "boolean")
        return TypedText::canonical(CimType::Boolean, key.value).value_or(key.value);
    if (key.valueType != "numeric")
        return key.value;
    for (CimType type : {CimType::Uint64, CimType::Sint64, CimType::Real64}) {
        if (std::optional<std::string> canonical = TypedText::canonical(type, key.value))
            return *canonical;
    }
    return key.value;
}

// Class and key names fold case, string key values do not; key order does
// not count.
std::string canonicalPath(const ObjectPath& path)
{
    std::vector<std::string> keys;
    for (const KeyBinding& key : path.keys)
        keys.push_back(lowerName(key.name) + "=" + (key.reference ? canonicalPath(*key.reference) : keyText(key)));
    std::sort(keys.begin(), keys.end());
    std::string canonical = lowerName(path.className);
    for (const std::string& key : keys)
        canonical += "\n" + key;
    return canonical;
}

StoredInstance normalized(const CimClass& cimClass, Instance instance)
{
    StoredInstance stored;
    stored.instance.className = cimClass.name;
    for (const Property& declared : cimClass.properties) {
        if (instance.findProperty(declared.name) != nullptr)
            continue;
        Property missing = declared;
        missing.qualifiers.clear();
        missing.classOrigin.clear();
        missing.propagated = true;
        stored.instance.properties.push_back(std::move(missing));
    }
    for (Property& given : instance.properties) {
        const Property* declared = cimClass.findProperty(given.name);
        if (declared == nullptr)
            throw CimError(CimStatus::NoSuchProperty, given.name);
        stored.instance.properties.push_back(typedLike(*declared, std::move(given)));
    }
    stored.path = pathOf(cimClass, stored.instance);
    return stored;
}

}  // namespace

void Repository::addNamespace(const std::string& nameSpace)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = namespaces_[lowerName(nameSpace)];
    if (ns.name.empty())
        ns.name = nameSpace;
}

bool Repository::hasNamespace(const std::string& nameSpace) const
{
    ReadLock lock(mutex_);
    return namespaces_.count(lowerName(nameSpace)) != 0;
}

std::vector<std::string> Repository::namespaceNames() const
{
    ReadLock lock(mutex_);
    std::vector<std::string> names;
    for (const auto& entry : namespaces_)
        names.push_back(entry.second.name);
    return names;
}

Repository::NamespaceData& Repository::data(const std::string& nameSpace)
{
    auto it = namespaces_.find(lowerName(nameSpace));
    if (it == namespaces_.end())
        throw CimError(CimStatus::InvalidNamespace, nameSpace);
    return it->second;
}

const Repository::NamespaceData& Repository::data(const std::string& nameSpace) const
{
    return const_cast<Repository*>(this)->data(nameSpace);
}

void Repository::setQualifierDecl(const std::string& nameSpace, QualifierDecl decl)
{
    WriteLock lock(mutex_);
    auto& decls = data(nameSpace).qualifierDecls;
    if (QualifierDecl* existing = findByName(decls, decl.name))
        *existing = std::move(decl);
    else
        decls.push_back(std::move(decl));
}

std::vector<QualifierDecl> Repository::qualifierDecls(const std::string& nameSpace) const
{
    ReadLock lock(mutex_);
    return data(nameSpace).qualifierDecls;
}

void Repository::addClass(const std::string& nameSpace, CimClass localClass)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = data(nameSpace);
    if (findClass(ns.classes, localClass.name) != ns.classes.end())
        throw CimError(CimStatus::AlreadyExists, localClass.name);
    if (!localClass.superClass.empty() && findClass(ns.classes, localClass.superClass) == ns.classes.end())
        throw CimError(CimStatus::InvalidSuperclass, localClass.superClass);
    ns.classes.push_back(std::move(localClass));
}

void Repository::replaceClass(const std::string& nameSpace, CimClass localClass)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = data(nameSpace);
    auto it = findClass(ns.classes, localClass.name);
    if (it == ns.classes.end())
        throw CimError(CimStatus::NotFound, localClass.name);
    ns.classes[static_cast<std::size_t>(it - ns.classes.begin())] = std::move(localClass);
}

void Repository::removeClass(const std::string& nameSpace, const std::string& className)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = data(nameSpace);
    if (findClass(ns.classes, className) == ns.classes.end())
        throw CimError(CimStatus::NotFound, className);
    std::vector<std::string> doomed{className};
    collectSubclasses(ns, className, true, doomed);
    for (const std::string& name : doomed) {
        forget(ns, name);
        ns.classes.erase(findClass(ns.classes, name));
    }
}

std::optional<CimClass> Repository::localClass(const std::string& nameSpace, const std::string& className) const
{
    ReadLock lock(mutex_);
    const NamespaceData& ns = data(nameSpace);
    auto it = findClass(ns.classes, className);
    if (it == ns.classes.end())
        return std::nullopt;
    return *it;
}

std::optional<CimClass> Repository::resolvedClass(const std::string& nameSpace, const std::string& className) const
{
    ReadLock lock(mutex_);
    return resolve(data(nameSpace), className);
}

std::optional<CimClass> Repository::resolve(const NamespaceData& ns, const std::string& className) const
{
    std::vector<std::string> chain;
    return resolve(ns, className, chain);
}

// replaceClass can make a superclass chain that comes back to a class on it
// (tests serve such a broken schema); the chain ends there.
std::optional<CimClass> Repository::resolve(const NamespaceData& ns, const std::string& className,
                                            std::vector<std::string>& chain) const
{
    auto it = findClass(ns.classes, className);
    if (it == ns.classes.end())
        return std::nullopt;
    chain.push_back(lowerName(className));
    if (it->superClass.empty() || std::find(chain.begin(), chain.end(), lowerName(it->superClass)) != chain.end())
        return ClassResolver::resolve(*it, nullptr);
    std::optional<CimClass> superClass = resolve(ns, it->superClass, chain);
    return ClassResolver::resolve(*it, superClass ? &*superClass : nullptr);
}

std::vector<std::string> Repository::subclassNames(const std::string& nameSpace, const std::string& className,
                                                   bool deep) const
{
    ReadLock lock(mutex_);
    const NamespaceData& ns = data(nameSpace);
    if (!className.empty() && findClass(ns.classes, className) == ns.classes.end())
        throw CimError(CimStatus::InvalidClass, className);
    std::vector<std::string> names;
    collectSubclasses(ns, className, deep, names);
    return names;
}

void Repository::collectSubclasses(const NamespaceData& ns, const std::string& className, bool deep,
                                   std::vector<std::string>& out) const
{
    for (const CimClass& candidate : ns.classes) {
        if (!sameName(candidate.superClass, className))
            continue;
        out.push_back(candidate.name);
        if (deep)
            collectSubclasses(ns, candidate.name, deep, out);
    }
}

const CimClass& Repository::classFor(const NamespaceData& ns, const std::string& className,
                                    std::map<std::string, CimClass>& resolved) const
{
    auto it = resolved.find(lowerName(className));
    if (it != resolved.end())
        return it->second;
    std::optional<CimClass> cimClass = resolve(ns, className);
    if (!cimClass)
        throw CimError(CimStatus::InvalidClass, className);
    return resolved.emplace(lowerName(className), std::move(*cimClass)).first->second;
}

ObjectPath Repository::store(NamespaceData& ns, const CimClass& cimClass, Instance instance, bool replace)
{
    auto stored = std::make_shared<StoredInstance>(normalized(cimClass, std::move(instance)));
    InstanceRef& indexed = ns.byPath[canonicalPath(stored->path)];
    auto& list = ns.instances[lowerName(cimClass.name)];
    if (indexed && !replace)
        throw CimError(CimStatus::AlreadyExists, stored->path.toString());
    if (indexed)
        *std::find(list.begin(), list.end(), indexed) = stored;
    else
        list.push_back(stored);
    indexed = stored;
    return stored->path;
}

void Repository::forget(NamespaceData& ns, const std::string& className)
{
    auto it = ns.instances.find(lowerName(className));
    if (it == ns.instances.end())
        return;
    for (const InstanceRef& instance : it->second)
        ns.byPath.erase(canonicalPath(instance->path));
    ns.instances.erase(it);
}

ObjectPath Repository::storeOne(const std::string& nameSpace, Instance instance, bool replace)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = data(nameSpace);
    std::map<std::string, CimClass> resolved;
    const CimClass& cimClass = classFor(ns, instance.className, resolved);
    return store(ns, cimClass, std::move(instance), replace);
}

ObjectPath Repository::addInstance(const std::string& nameSpace, Instance instance)
{
    return storeOne(nameSpace, std::move(instance), false);
}

ObjectPath Repository::putInstance(const std::string& nameSpace, Instance instance)
{
    return storeOne(nameSpace, std::move(instance), true);
}

void Repository::addInstances(const std::string& nameSpace, std::vector<Instance> instances)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = data(nameSpace);
    std::map<std::string, CimClass> resolved;
    for (Instance& instance : instances) {
        const CimClass& cimClass = classFor(ns, instance.className, resolved);
        store(ns, cimClass, std::move(instance), false);
    }
}

void Repository::shareInstances(const std::string& nameSpace, const std::vector<InstanceRef>& instances)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = data(nameSpace);
    for (const InstanceRef& instance : instances) {
        if (findClass(ns.classes, instance->path.className) == ns.classes.end())
            throw CimError(CimStatus::InvalidClass, instance->path.className);
        InstanceRef& indexed = ns.byPath[canonicalPath(instance->path)];
        if (indexed)
            throw CimError(CimStatus::AlreadyExists, instance->path.toString());
        indexed = instance;
        ns.instances[lowerName(instance->path.className)].push_back(instance);
    }
}

void Repository::removeInstance(const std::string& nameSpace, const ObjectPath& path)
{
    WriteLock lock(mutex_);
    NamespaceData& ns = data(nameSpace);
    auto indexed = ns.byPath.find(canonicalPath(path));
    if (indexed == ns.byPath.end())
        throw CimError(CimStatus::NotFound, path.toString());
    auto& list = ns.instances[lowerName(indexed->second->path.className)];
    list.erase(std::find(list.begin(), list.end(), indexed->second));
    ns.byPath.erase(indexed);
}

void Repository::removeInstances(const std::string& nameSpace, const std::string& className)
{
    WriteLock lock(mutex_);
    forget(data(nameSpace), className);
}

std::vector<InstanceRef> Repository::instances(const std::string& nameSpace, const std::string& className,
                                               bool deep) const
{
    ReadLock lock(mutex_);
    const NamespaceData& ns = data(nameSpace);
    if (findClass(ns.classes, className) == ns.classes.end())
        throw CimError(CimStatus::InvalidClass, className);
    std::vector<std::string> classes{className};
    if (deep)
        collectSubclasses(ns, className, true, classes);
    std::vector<InstanceRef> found;
    for (const std::string& name : classes) {
        auto it = ns.instances.find(lowerName(name));
        if (it != ns.instances.end())
            found.insert(found.end(), it->second.begin(), it->second.end());
    }
    return found;
}

InstanceRef Repository::findInstance(const std::string& nameSpace, const ObjectPath& path) const
{
    ReadLock lock(mutex_);
    const NamespaceData& ns = data(nameSpace);
    auto it = ns.byPath.find(canonicalPath(path));
    return it == ns.byPath.end() ? nullptr : it->second;
}

}  // namespace testcimom
