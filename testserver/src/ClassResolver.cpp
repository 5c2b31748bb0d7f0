#include "ClassResolver.h"

#include <algorithm>

namespace testcimom {

namespace {

// Inherited qualifiers that flow to subclasses and are not restated locally
// come first, marked PROPAGATED; the local ones follow in their own order.
std::vector<Qualifier> mergeQualifiers(const std::vector<Qualifier>& inherited,
                                       const std::vector<Qualifier>& local)
{
    std::vector<Qualifier> merged;
    for (const Qualifier& qualifier : inherited) {
        if (qualifier.flavor.toSubclass && findByName(local, qualifier.name) == nullptr) {
            merged.push_back(qualifier);
            merged.back().propagated = true;
        }
    }
    merged.insert(merged.end(), local.begin(), local.end());
    return merged;
}

template <class Element>
std::vector<Element> mergeElements(const std::vector<Element>& inherited, const std::vector<Element>& local,
                                   const std::string& className)
{
    std::vector<Element> merged;
    for (const Element& element : inherited) {
        if (findByName(local, element.name) == nullptr) {
            merged.push_back(element);
            merged.back().propagated = true;
        }
    }
    for (Element element : local) {
        if (const Element* overridden = findByName(inherited, element.name)) {
            element.classOrigin = overridden->classOrigin;
            element.qualifiers = mergeQualifiers(overridden->qualifiers, element.qualifiers);
        } else {
            element.classOrigin = className;
        }
        element.propagated = false;
        merged.push_back(std::move(element));
    }
    return merged;
}

template <class Element>
void dropPropagated(std::vector<Element>& elements)
{
    elements.erase(std::remove_if(elements.begin(), elements.end(),
                                  [](const Element& element) { return element.propagated; }),
                   elements.end());
}

}  // namespace

CimClass ClassResolver::resolve(const CimClass& localClass, const CimClass* superClass)
{
    static const CimClass kNoSuperclass;
    const CimClass& base = superClass ? *superClass : kNoSuperclass;
    CimClass resolved;
    resolved.name = localClass.name;
    resolved.superClass = localClass.superClass;
    resolved.qualifiers = mergeQualifiers(base.qualifiers, localClass.qualifiers);
    resolved.properties = mergeElements(base.properties, localClass.properties, localClass.name);
    resolved.methods = mergeElements(base.methods, localClass.methods, localClass.name);
    return resolved;
}

CimClass ClassResolver::localOnly(const CimClass& resolvedClass)
{
    CimClass local = resolvedClass;
    dropPropagated(local.qualifiers);
    dropPropagated(local.properties);
    dropPropagated(local.methods);
    for (Property& property : local.properties)
        dropPropagated(property.qualifiers);
    for (Method& method : local.methods)
        dropPropagated(method.qualifiers);
    return local;
}

}  // namespace testcimom
