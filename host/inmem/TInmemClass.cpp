#include "TInmemClass.h"

#include <algorithm>

#include <qel/ICIMInstance.h>
#include <qel/TCIMName.h>
#include <qel/TInmemInstance.h>
#include <qel/TInmemNamespace.h>
#include <qel/TInmemProperty.h>
#include <qel/TQELException.h>

#include "InmemTables.h"
#include "TInmemLineage.h"
#include "TInmemLineageCache.h"
#include "TInmemMethodDecl.h"
#include "TInmemPropertyDecl.h"

namespace NVORNQEL20 {

namespace {

// The path without host and namespace: instances are filed by it.
std::string LocalPath(const TCIMReference& reference) {
    std::size_t prefix = reference.GetHost().empty() ? 0 : reference.GetHost().size() + 3;
    prefix += reference.GetNamespaceName().empty() ? 0 : reference.GetNamespaceName().size() + 1;
    return reference.GetPath().substr(prefix);
}

template <typename TDecl>
void AddDeclaration(std::map<std::string, boost::shared_ptr<TDecl>>& table, boost::shared_ptr<TDecl> declaration,
                    const std::string& className) {
    if (!InmemTables::AddByName(table, declaration)) {
        throw TQELException(TQELStatusCode::eAlreadyExists,
                            "class " + className + " already declares " + declaration->GetName(TCIMContext()));
    }
}

template <typename TDecl>
void RemoveDeclaration(std::map<std::string, boost::shared_ptr<TDecl>>& table, const TDecl& declaration,
                       const std::string& className) {
    const std::string& name = declaration.GetName(TCIMContext());
    if (table.erase(TCIMName::Normalize(name)) == 0) {
        throw TQELException(TQELStatusCode::eNotFound, "class " + className + " does not declare " + name);
    }
}

}  // namespace

TInmemClass::TInmemClass(boost::shared_ptr<TInmemNamespace> nameSpace, const std::string& name,
                         boost::shared_ptr<ICIMClass> parent)
    : fNamespace(nameSpace), fName(name), fParent(parent), fCollected(false) {}

boost::shared_ptr<TInmemNamespace> TInmemClass::Namespace() const {
    return boost::shared_ptr<TInmemNamespace>(fNamespace);
}

boost::shared_ptr<ICIMNamedElement const> TInmemClass::SelfAsNamedElement() { return shared_from_this(); }

void TInmemClass::AddToNamespace(TCIMContext) {
    Namespace()->AddClass(shared_from_this());
    if (boost::shared_ptr<ICIMClass> parent = fParent.lock()) {
        parent->AddChildClass(shared_from_this(), TCIMContext());
    }
}

void TInmemClass::RemoveFromNamespace(TCIMContext) {
    Namespace()->RemoveClass(shared_from_this());
    if (boost::shared_ptr<ICIMClass> parent = fParent.lock()) {
        parent->RemoveChildClass(shared_from_this(), TCIMContext());
    }
}

void TInmemClass::ModifyClass(boost::shared_ptr<ICIMClass>, TCIMContext) {
    throw TQELException(TQELStatusCode::eModificationNotSupported, "class " + fName + " cannot be replaced");
}

const std::string& TInmemClass::GetName(TCIMContext) const { return fName; }

boost::shared_ptr<ICIMNamespace> TInmemClass::GetNamespace(TCIMContext) const { return fNamespace.lock(); }

bool TInmemClass::IsAssociation(TCIMContext) const { return HasTrueQualifier(*this, "ASSOCIATION"); }

bool TInmemClass::IsAbstract(TCIMContext) const { return HasTrueQualifier(*this, "ABSTRACT"); }

bool TInmemClass::IsRootClass(TCIMContext) const { return false; }

boost::shared_ptr<ICIMClass> TInmemClass::GetSuperClass(TCIMContext) const { return fParent.lock(); }

void TInmemClass::EnumerateSubClasses(TClassCallback callback, bool deep, TCIMContext) const {
    bool stopped = false;
    TClassCallback guarded = [&](boost::shared_ptr<ICIMClass> child) {
        stopped = !callback(child);
        return !stopped;
    };
    for (const boost::shared_ptr<ICIMClass>& child : fChildren) {
        if (!guarded(child)) {
            return;
        }
        if (deep) {
            child->EnumerateSubClasses(guarded, true, TCIMContext());
        }
        if (stopped) {
            return;
        }
    }
}

bool TInmemClass::IsSubclassOf(boost::shared_ptr<ICIMClass const> other, TCIMContext) const {
    if (!other) {
        return false;
    }
    const std::string& otherName = other->GetName(TCIMContext());
    if (TCIMName::EqualNoCase(fName, otherName)) {
        return true;
    }
    // Bounded like the walks of the instances: a chain that loops ends too.
    std::size_t level = 1;
    for (boost::shared_ptr<ICIMClass> ancestor = GetSuperClass(TCIMContext());
         ancestor && level < TInmemLineage::kMaxClasses; ancestor = ancestor->GetSuperClass(TCIMContext()), ++level) {
        if (TCIMName::EqualNoCase(ancestor->GetName(TCIMContext()), otherName)) {
            return true;
        }
    }
    return false;
}

void TInmemClass::EnumerateAssociatedClasses(TClassCallback, const std::string&, const std::string&,
                                             const std::string&, const std::string&, TCIMContext) const {}

void TInmemClass::EnumerateAssociationClasses(TClassCallback, const std::string&, const std::string&,
                                              TCIMContext) const {}

void TInmemClass::EnumerateKeyNames(TKeyNameCallback callback, TCIMContext) const {
    for (const auto& entry : fPropertyDecls) {
        if (HasTrueQualifier(*entry.second, "KEY") && !callback(&entry.second->GetName(TCIMContext()))) {
            return;
        }
    }
}

boost::shared_ptr<ICIMPropertyDecl> TInmemClass::AllocatePropertyDecl(const std::string& name,
                                                                      const TCIMValue& defaultValue, TCIMContext) {
    TCIMName::Normalize(name);
    return boost::make_shared<TInmemPropertyDecl>(shared_from_this(), name, defaultValue);
}

boost::shared_ptr<ICIMPropertyDecl> TInmemClass::GetPropertyDecl(const std::string& name, TCIMContext) const {
    return InmemTables::FindByName(fPropertyDecls, name);
}

void TInmemClass::EnumeratePropertyDecls(TPropertyDeclCallback callback, TCIMContext) const {
    InmemTables::EnumerateInOrder(fPropertyDecls, callback);
}

boost::shared_ptr<ICIMProperty> TInmemClass::GetProperty(const std::string& name, TCIMContext) const {
    boost::shared_ptr<TInmemProperty> property = InmemTables::FindByName(fStaticProperties, name);
    if (!property) {
        throw TQELException(TQELStatusCode::eNotFound, "class " + fName + " has no static property " + name);
    }
    return property;
}

void TInmemClass::SetPropertyValue(const std::string& name, const TCIMValue& value, TCIMContext) {
    boost::shared_ptr<ICIMPropertyDecl> declaration = GetPropertyDecl(name, TCIMContext());
    if (!declaration) {
        throw TQELException(TQELStatusCode::eNotFound, "class " + fName + " declares no property " + name);
    }
    auto property = boost::make_shared<TInmemProperty>(declaration);
    property->SetValue(value, TCIMContext());
    fStaticProperties[TCIMName::Normalize(name)] = property;
}

void TInmemClass::EnumerateStaticProperties(TPropertyCallback callback, TCIMContext) const {
    InmemTables::EnumerateInOrder(fStaticProperties, callback);
}

boost::shared_ptr<ICIMInstance> TInmemClass::AllocateInstance(TCIMContext) {
    return boost::make_shared<TInmemInstance>(shared_from_this(), TInmemInstance::eAllDeclaredProperties);
}

void TInmemClass::EnumerateInstances(TInstanceCallback callback, bool deep, TCIMContext) {
    bool stopped = false;
    TInstanceCallback guarded = [&](boost::shared_ptr<ICIMInstance> instance) {
        stopped = !callback(instance);
        return !stopped;
    };
    InmemTables::EnumerateInOrder(fInstances, guarded);
    for (auto child = fChildren.begin(); deep && !stopped && child != fChildren.end(); ++child) {
        (*child)->EnumerateInstances(guarded, true, TCIMContext());
    }
}

boost::shared_ptr<ICIMMethodDecl> TInmemClass::AllocateMethodDecl(const std::string& name,
                                                                  TCIMValue::TCIMType returnType, TCIMContext) {
    TCIMName::Normalize(name);
    return boost::make_shared<TInmemMethodDecl>(shared_from_this(), name, returnType);
}

boost::shared_ptr<ICIMMethodDecl> TInmemClass::GetMethodDecl(const std::string& name, TCIMContext) const {
    return InmemTables::FindByName(fMethodDecls, name);
}

void TInmemClass::EnumerateMethodDecls(TMethodDeclCallback callback, TCIMContext) const {
    InmemTables::EnumerateInOrder(fMethodDecls, callback);
}

TCIMValue TInmemClass::InvokeMethod(const std::string& methodName, TCIMContext&, TCIMContext) {
    throw TQELException(TQELStatusCode::eNotSupported,
                        "in-memory class " + fName + " cannot run method " + methodName);
}

bool TInmemClass::hasCollected(TCIMContext) const { return fCollected; }

void TInmemClass::SetCollected(bool collected, TCIMContext) { fCollected = collected; }

void TInmemClass::AddChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext) {
    RemoveChildClass(child, TCIMContext());
    fChildren.push_back(child);
}

void TInmemClass::RemoveChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext) {
    const std::string& name = child->GetName(TCIMContext());
    fChildren.erase(std::remove_if(fChildren.begin(), fChildren.end(),
                                   [&name](const boost::shared_ptr<ICIMClass>& existing) {
                                       return TCIMName::EqualNoCase(existing->GetName(TCIMContext()), name);
                                   }),
                    fChildren.end());
}

void TInmemClass::AddInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext) {
    const std::string path = LocalPath(instance->BuildPath(TCIMContext()));
    if (!fInstances.emplace(path, instance).second) {
        throw TQELException(TQELStatusCode::eAlreadyExists, "instance " + path + " already exists");
    }
}

void TInmemClass::RemoveInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext) {
    const std::string path = LocalPath(instance->BuildPath(TCIMContext()));
    if (fInstances.erase(path) == 0) {
        throw TQELException(TQELStatusCode::eNotFound, "no instance " + path);
    }
}

void TInmemClass::AddAssociationClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

void TInmemClass::RemoveAssociationClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

void TInmemClass::AddPropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext) {
    AddDeclaration(fPropertyDecls, declaration, fName);
    TInmemLineageCache::SchemaChanged();
}

void TInmemClass::RemovePropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext) {
    RemoveDeclaration(fPropertyDecls, *declaration, fName);
    TInmemLineageCache::SchemaChanged();
}

void TInmemClass::AddMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext) {
    AddDeclaration(fMethodDecls, declaration, fName);
}

void TInmemClass::RemoveMethodDecl(boost::shared_ptr<ICIMMethodDecl> declaration, TCIMContext) {
    RemoveDeclaration(fMethodDecls, *declaration, fName);
}

boost::shared_ptr<ICIMInstance> TInmemClass::GetInstance(const TCIMReference& reference, TCIMContext) const {
    auto found = fInstances.find(LocalPath(reference));
    return found == fInstances.end() ? boost::shared_ptr<ICIMInstance>() : found->second;
}

void TInmemClass::ClearInstances() { fInstances.clear(); }

}  // namespace NVORNQEL20
