#include "class/TCimHTTPClass.h"

#include <algorithm>

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <Pegasus/Common/Exception.h>

#include <qel/TQELException.h>

#include "class/TCimHTTPClassLoader.h"
#include "class/TCimHTTPInstanceBatch.h"
#include "class/TCimHTTPInstanceConverter.h"
#include "class/TCimHTTPMethodCall.h"
#include "class/TCimHTTPTarnController.h"
#include "client/Debug.h"
#include "client/PegClient.h"
#include "instance/TCimHTTPInstance.h"
#include "namespace/TCimHTTPLoadChain.h"
#include "namespace/TCimHTTPNamespace.h"
#include "schema/SchemaTables.h"
#include "schema/TCimHTTPMethodDecl.h"
#include "schema/TCimHTTPPropertyDecl.h"

namespace NVORNQEL20 {

namespace {

// The one property a class may lack without an error: the host asks every
// class for it.
const char* const kOptionalProperty = "DateTimeOfCollection";

// The time-out of every fetch of a class's own definition.
const int kClassFetchTimeoutMs = 15000;

// How far a deep enumeration follows children of children.
const std::size_t kMaxSubclassDepth = 64;

// How many converted server instances are let go together.
const Pegasus::Uint32 kReleasedTogether = 64;

// Port types are declared again by subclasses without OVERRIDE.
bool MayRedeclare(const std::string& propertyName)
{
    return propertyName.find("PortType") != std::string::npos;
}

[[noreturn]] void RefuseProperty(const std::string& message, TQELStatusCode status)
{
    WriteLog(eLogError, message);
    throw TQELException(status);
}

// A property is a key when its KEY qualifier is set and true; one without
// the qualifier is none.
bool IsKey(const TCimHTTPPropertyDecl& declaration)
{
    try {
        const TCIMValue& value = declaration.GetQualifier("KEY", TCIMContext())->GetValue(TCIMContext());
        return !value.IsNull() && static_cast<bool>(value);
    } catch (const TQELException& e) {
        if (e.GetStatusCode() == TQELStatusCode::eNotFound)
            return false;
        throw TQELException(e.GetStatusCode());
    }
}

}  // namespace

const char* const TCimHTTPClass::kRootClassName = "<root>";
const char* const TCimHTTPClass::kNodeIdProperty = "NodeID";

TCimHTTPClass::TCimHTTPClass(boost::shared_ptr<TCimHTTPNamespace> nameSpace, int enumerateInstancesTimeout,
                             const std::string& name, boost::shared_ptr<TCimHTTPClass>)
    : fNamespace(nameSpace), fName(name), fEnumerateInstancesTimeout(enumerateInstancesTimeout)
{
}

TCimHTTPClass::~TCimHTTPClass() = default;

TCimHTTPQualifier::TOwner TCimHTTPClass::SelfAsOwner()
{
    return boost::static_pointer_cast<ICIMNamedElement const>(shared_from_this());
}

void TCimHTTPClass::Validate(TCIMContext) const {}

void TCimHTTPClass::RemoveFromNamespace(TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

void TCimHTTPClass::ModifyClass(boost::shared_ptr<ICIMClass>, TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

const std::string& TCimHTTPClass::GetName(TCIMContext) const
{
    return fName;
}

boost::shared_ptr<ICIMNamespace> TCimHTTPClass::GetNamespace(TCIMContext) const
{
    return fNamespace.lock();
}

bool TCimHTTPClass::HasTrueQualifier(const std::string& name) const
{
    boost::shared_ptr<TCimHTTPQualifier> qualifier = fQualifiers.Find(name);
    if (!qualifier)
        return false;
    const TCIMValue& value = qualifier->GetValue(TCIMContext());
    return !value.IsNull() && static_cast<bool>(value);
}

bool TCimHTTPClass::IsAssociation(TCIMContext) const
{
    return HasTrueQualifier("ASSOCIATION");
}

bool TCimHTTPClass::IsAbstract(TCIMContext) const
{
    return HasTrueQualifier("ABSTRACT");
}

boost::shared_ptr<ICIMPropertyDecl> TCimHTTPClass::AllocatePropertyDecl(const std::string& name,
                                                                        const TCIMValue& defaultValue, TCIMContext)
{
    return boost::make_shared<TCimHTTPPropertyDecl>(shared_from_this(), name, defaultValue);
}

boost::shared_ptr<ICIMPropertyDecl> TCimHTTPClass::GetPropertyDecl(const std::string& name, TCIMContext) const
{
    auto found = fPropertyDecls.find(TCimHTTPNamespace::NormalizeName(name));
    if (found != fPropertyDecls.end())
        return found->second;
    if (name == kOptionalProperty)
        return boost::shared_ptr<ICIMPropertyDecl>();
    throw TQELException(TQELStatusCode::eNotFound, "property " + name + " of class " + fName);
}

void TCimHTTPClass::EnumeratePropertyDecls(TPropertyDeclCallback callback, TCIMContext) const
{
    EnumerateInOrder(fPropertyDecls, callback);
}

void TCimHTTPClass::SetPropertyValue(const std::string&, const TCIMValue&, TCIMContext)
{
    throw TQELException(TQELStatusCode::eModificationNotSupported);
}

boost::shared_ptr<ICIMMethodDecl> TCimHTTPClass::AllocateMethodDecl(const std::string& name,
                                                                    TCIMValue::TCIMType returnType, TCIMContext)
{
    return boost::make_shared<TCimHTTPMethodDecl>(shared_from_this(), name, returnType);
}

boost::shared_ptr<ICIMMethodDecl> TCimHTTPClass::GetMethodDecl(const std::string& name, TCIMContext) const
{
    auto found = fMethodDecls.find(TCimHTTPNamespace::NormalizeName(name));
    return found == fMethodDecls.end() ? boost::shared_ptr<ICIMMethodDecl>() : found->second;
}

void TCimHTTPClass::EnumerateMethodDecls(TMethodDeclCallback callback, TCIMContext) const
{
    EnumerateInOrder(fMethodDecls, callback);
}

bool TCimHTTPClass::operator==(const ICIMClass& other) const
{
    return fName == other.GetName(TCIMContext());
}

bool TCimHTTPClass::operator<(const ICIMClass& other) const
{
    return fName < other.GetName(TCIMContext());
}

ICIMClass& TCimHTTPClass::operator=(const ICIMClass&)
{
    return *this;
}

bool TCimHTTPClass::hasCollected(TCIMContext) const
{
    return false;
}

void TCimHTTPClass::SetCollected(bool, TCIMContext) {}

void TCimHTTPClass::RemoveChildClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

void TCimHTTPClass::AddAssociationClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

void TCimHTTPClass::RemoveAssociationClass(boost::shared_ptr<ICIMClass>, TCIMContext) {}

bool TCimHTTPClass::DeclaresOverride(const ICIMPropertyDecl& declaration) const
{
    try {
        declaration.GetQualifier("OVERRIDE", TCIMContext());
        return true;
    } catch (const TQELException& e) {
        if (e.GetStatusCode() == TQELStatusCode::eNotFound)
            return false;
        RefuseProperty("TCimHTTP: Attempt define property " + declaration.GetName(TCIMContext()) + " in class " +
                           fName + "failed. Reason = " + e.what(),
                       e.GetStatusCode());
    }
}

// An overriding declaration needs a declaration of the same type from a
// base class to replace.
void TCimHTTPClass::CheckOverride(const ICIMPropertyDecl& declaration, TPropertyDecls::const_iterator existing) const
{
    const std::string prefix =
        "TCimHTTP: Attempt to override property " + declaration.GetName(TCIMContext()) + " in class " + fName;
    if (existing == fPropertyDecls.end())
        RefuseProperty(prefix + ": property doesn't exist in base class", TQELStatusCode::eNotFound);
    const TCimHTTPPropertyDecl& original = *existing->second;
    if (original.GetType(TCIMContext()) != declaration.GetType(TCIMContext()))
        RefuseProperty(prefix + ": different types", TQELStatusCode::eTypeMismatch);
    if (original.GetClass(TCIMContext()).get() == this)
        RefuseProperty(prefix + ": original was defined in this class", TQELStatusCode::eAlreadyExists);
}

// A reference property needs an association; a name already declared may
// only be replaced by an override or, for port types, by a redeclaration.
void TCimHTTPClass::AddPropertyDecl(boost::shared_ptr<ICIMPropertyDecl> declaration, TCIMContext)
{
    boost::shared_ptr<TCimHTTPPropertyDecl> own = boost::dynamic_pointer_cast<TCimHTTPPropertyDecl>(declaration);
    if (!own)
        throw TQELException(TQELStatusCode::eNotSupported, "property declaration of another provider");
    const std::string& name = own->GetName(TCIMContext());
    if (own->GetType(TCIMContext()) == TCIMValue::TCIMType::eReference && !IsAssociation(TCIMContext()))
        RefuseProperty("TCimHTTP: Attempt to add reference property " + name + " to non-association class " + fName,
                       TQELStatusCode::eReferenceInNonAssociation);
    const std::string key = TCimHTTPNamespace::NormalizeName(name);
    auto existing = fPropertyDecls.find(key);
    if (DeclaresOverride(*own))
        CheckOverride(*own, existing);
    else if (existing != fPropertyDecls.end() && !MayRedeclare(name))
        RefuseProperty("TCimHTTP: Attempt to add property " + name + " to class " + fName + ": already exists",
                       TQELStatusCode::eAlreadyExists);
    if (existing != fPropertyDecls.end())
        fPropertyDecls.erase(existing);
    fPropertyDecls.emplace(key, own);
}

void TCimHTTPClass::RemovePropertyDecl(boost::shared_ptr<ICIMPropertyDecl>, TCIMContext) {}

// Method declarations enter the table while the class loads its
// definition, not through this call.
void TCimHTTPClass::AddMethodDecl(boost::shared_ptr<ICIMMethodDecl>, TCIMContext) {}

void TCimHTTPClass::RemoveMethodDecl(boost::shared_ptr<ICIMMethodDecl>, TCIMContext) {}

void TCimHTTPClass::AddQualifier(boost::shared_ptr<ICIMQualifier> qualifier, TCIMContext)
{
    fQualifiers.Add(qualifier, SelfAsOwner());
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                                  const TCIMValue& value, TCIMContext)
{
    return boost::make_shared<TCimHTTPQualifier>(SelfAsOwner(), declaration, value);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::AllocateQualifier(boost::shared_ptr<ICIMQualifierDecl const> declaration,
                                                                  const TCIMValue& value, ICIMQualifierDecl::EFlavor,
                                                                  TCIMContext context)
{
    return AllocateQualifier(declaration, value, context);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::GetQualifier(const std::string& name, TCIMContext) const
{
    return fQualifiers.Find(name);
}

void TCimHTTPClass::EnumerateQualifiers(TQualifierCallback callback, TCIMContext) const
{
    fQualifiers.Enumerate(callback);
}

boost::shared_ptr<ICIMQualifier> TCimHTTPClass::GetQualifier(const std::string&, bool&, TCIMContext) const
{
    throw TQELException(TQELStatusCode::eNotSupported);
}

// A class whose namespace is gone has nowhere to load from: logged, and
// nothing loaded.
void TCimHTTPClass::Initialize()
{
    if (fParent.lock())
        return;
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    if (!nameSpace) {
        Trace("TCimHTTPClass::Initialize " + fName + " : its namespace is gone");
        return;
    }
    fParent = nameSpace->GetRootClass();
    if (fName == kRootClassName)
        return;
    if (!nameSpace->getIsServeESXi() && IsInUnionNamespace(*nameSpace))
        return;
    TCimHTTPClassLoader loader(*this, *nameSpace);
    for (const TCimHTTPNamespace::TNodeClients& node : nameSpace->getPegClientVec()) {
        // A node without a client has nothing to fetch from.
        if (!node.empty())
            loader.Load(nameSpace->FetchClass(*node.begin()->second, fName, kClassFetchTimeoutMs, true));
    }
}

// Any failure of the probe only costs the probe.
bool TCimHTTPClass::IsInUnionNamespace(TCimHTTPNamespace& nameSpace) const
{
    try {
        return static_cast<bool>(nameSpace.FindInUnionNamespace(fName));
    } catch (...) {
        Trace("TCimHTTPClass::Initialize " + fName +
              " Catch an exception while trying to get this class in union namespace");
        return false;
    }
}

void TCimHTTPClass::TakeChildrenOf(TCimHTTPClass& replaced)
{
    fChildren = replaced.fChildren;
}

void TCimHTTPClass::ReleaseChildren()
{
    fChildren.clear();
}

boost::shared_ptr<TCimHTTPPropertyDecl> TCimHTTPClass::AllocateNodeIdDecl()
{
    boost::shared_ptr<TCimHTTPPropertyDecl> declaration =
        boost::make_shared<TCimHTTPPropertyDecl>(shared_from_this(), kNodeIdProperty, TCIMValue());
    declaration->SetDefaultValue(TCIMValue(""), TCIMContext());
    return declaration;
}

int TCimHTTPClass::GetEnumerateInstancesTimeout() const
{
    return fEnumerateInstancesTimeout;
}

// A namespace or parent that is gone leaves nothing to join: logged, and
// nothing done.
void TCimHTTPClass::AddToNamespace(TCIMContext)
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    boost::shared_ptr<TCimHTTPClass> parent = fParent.lock();
    if (!nameSpace || !parent) {
        Trace("TCimHTTPClass::AddToNamespace " + fName + " : its namespace or parent is gone");
        return;
    }
    boost::shared_ptr<TCimHTTPClass> self = shared_from_this();
    nameSpace->AddClass(self);
    parent->AddChildClass(self, TCIMContext());
}

// The entry replaced is not asked for its superclass: nothing would use
// the answer, and asking may reach the server.
void TCimHTTPClass::AddChildClass(boost::shared_ptr<ICIMClass> child, TCIMContext)
{
    boost::shared_ptr<TCimHTTPClass> own = boost::dynamic_pointer_cast<TCimHTTPClass>(child);
    if (!own)
        throw TQELException(TQELStatusCode::eNotSupported, "child class of another provider");
    auto sameName = std::find_if(fChildren.begin(), fChildren.end(),
                                 [&own](const boost::shared_ptr<TCimHTTPClass>& known) {
                                     return known->fName == own->fName;
                                 });
    if (sameName != fChildren.end())
        fChildren.erase(sameName);
    fChildren.push_back(own);
}

bool TCimHTTPClass::IsRootClass(TCIMContext) const
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    if (!nameSpace)
        return false;
    boost::shared_ptr<TCimHTTPClass> root = nameSpace->GetRootClass();
    if (nameSpace->isConnected())
        return root && nameSpace->GetClass(fName, TCIMContext()) == root;
    return root && fParent.lock() == root;
}

// Without a connection, and for the root class, which has no definition,
// the answer is the parent. A namespace that is gone gives empty.
boost::shared_ptr<ICIMClass> TCimHTTPClass::GetSuperClass(TCIMContext) const
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    if (!nameSpace) {
        Trace("TCimHTTPClass::GetSuperClass " + fName + " : its namespace is gone");
        return boost::shared_ptr<ICIMClass>();
    }
    if (!nameSpace->isConnected() || fName == kRootClassName)
        return fParent.lock();
    return SuperClassFromServer(*nameSpace);
}

// The server names the superclass; the namespace finds it. On a single node
// a superclass it cannot find, or a definition that fails to arrive, gives
// the parent; on several nodes, empty. A class named as its own superclass
// gives empty, so that no walk up the hierarchy goes round in a circle.
boost::shared_ptr<ICIMClass> TCimHTTPClass::SuperClassFromServer(TCimHTTPNamespace& nameSpace) const
{
    const TCimHTTPNamespace::TNodeTable nodes = nameSpace.getPegClientVec();
    const boost::shared_ptr<ICIMClass> fallback =
        nodes.size() > 1 ? boost::shared_ptr<ICIMClass>() : boost::shared_ptr<ICIMClass>(fParent.lock());
    if (nodes.empty() || nodes.front().empty())
        return fallback;
    std::string superClassName;
    try {
        superClassName = std::string(nameSpace.FetchClass(*nodes.front().begin()->second, fName,
                                                           kClassFetchTimeoutMs, true)
                                         .getSuperClassName()
                                         .getString()
                                         .getCString());
    } catch (const Pegasus::Exception& e) {
        Trace("TCimHTTPClass::GetSuperClass " + fName + " : " + MessageOf(e));
        return fallback;
    }
    boost::shared_ptr<ICIMClass> superClass = nameSpace.GetClass(superClassName, TCIMContext());
    if (superClass.get() == static_cast<const ICIMClass*>(this)) {
        WriteLog(eLogError, "TCimHTTPClass::GetSuperClass " + fName + " : the server names it its own superclass");
        return boost::shared_ptr<ICIMClass>();
    }
    return superClass ? superClass : fallback;
}

// Parents lead to the root class, where the walk ends.
bool TCimHTTPClass::IsSubclassOf(boost::shared_ptr<ICIMClass const> other, TCIMContext) const
{
    if (!other)
        return false;
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    const boost::shared_ptr<TCimHTTPClass> root = nameSpace ? nameSpace->GetRootClass() : boost::shared_ptr<TCimHTTPClass>();
    const std::string& otherName = other->GetName(TCIMContext());
    const TCimHTTPClass* current = this;
    boost::shared_ptr<TCimHTTPClass> parent;
    while (current) {
        if (otherName == current->fName)
            return true;
        parent = current->fParent.lock();
        current = parent == root ? nullptr : parent.get();
    }
    return root && other.get() == static_cast<const ICIMClass*>(root.get());
}

void TCimHTTPClass::EnumerateKeyNames(TKeyNameCallback callback, TCIMContext) const
{
    for (const auto& entry : fPropertyDecls)
        if (IsKey(*entry.second) && !callback(&entry.second->GetName(TCIMContext())))
            return;
}

boost::shared_ptr<ICIMProperty> TCimHTTPClass::GetProperty(const std::string& name, TCIMContext) const
{
    auto found = fStaticProperties.find(TCimHTTPNamespace::NormalizeName(name));
    if (found == fStaticProperties.end())
        throw TQELException(TQELStatusCode::eNotFound, "static property " + name + " of class " + fName);
    return found->second;
}

void TCimHTTPClass::EnumerateStaticProperties(TPropertyCallback callback, TCIMContext) const
{
    EnumerateInOrder(fStaticProperties, callback);
}

// The walk keeps its own stack, so a deep hierarchy costs no call depth; it
// works on copies of the children lists, so a callback that loads classes
// (which join the root class's children) changes nothing under it; and it
// does not descend into a class it is already inside, so children added in
// a circle cannot make it endless.
void TCimHTTPClass::EnumerateSubClasses(TClassCallback callback, bool deep, TCIMContext) const
{
    struct TFrame {
        const TCimHTTPClass* fClass;
        TChildren fChildren;
        std::size_t fNext;
    };
    std::vector<TFrame> path{{this, fChildren, 0}};
    auto isOnPath = [&path](const TCimHTTPClass* cls) {
        return std::any_of(path.begin(), path.end(), [cls](const TFrame& frame) { return frame.fClass == cls; });
    };
    while (!path.empty()) {
        TFrame& frame = path.back();
        if (frame.fNext == frame.fChildren.size()) {
            path.pop_back();
            continue;
        }
        const boost::shared_ptr<TCimHTTPClass> child = frame.fChildren[frame.fNext++];
        if (!callback(child))
            path.pop_back();
        else if (deep && !isOnPath(child.get()))
            path.push_back({child.get(), child->fChildren, 0});
    }
}

boost::shared_ptr<TCimHTTPNamespace> TCimHTTPClass::LiveNamespace(const char* operation) const
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    if (!nameSpace)
        Trace("TCimHTTPClass::" + std::string(operation) + " " + fName + " : its namespace is gone");
    return nameSpace;
}

// Only the look-ups are left of the walk up the parents: an initialized
// class's parent is the root class, where the walk ends, and the root class
// itself is where it starts and ends.
void TCimHTTPClass::EnumerateAssociatedClasses(TClassCallback, const std::string& associationClass,
                                               const std::string& resultClass, const std::string&,
                                               const std::string&, TCIMContext) const
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = LiveNamespace("EnumerateAssociatedClasses");
    if (!nameSpace)
        return;
    nameSpace->GetClass(associationClass, TCIMContext());
    nameSpace->GetClass(resultClass, TCIMContext());
    if (!fParent.lock() && nameSpace->GetRootClass().get() != this)
        Trace("TCimHTTPClass::EnumerateAssociatedClasses " + fName + " : the class was never initialized");
}

void TCimHTTPClass::EnumerateAssociationClasses(TClassCallback, const std::string& resultClass, const std::string&,
                                                TCIMContext) const
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = LiveNamespace("EnumerateAssociationClasses");
    if (!nameSpace)
        return;
    nameSpace->GetClass(resultClass, TCIMContext());
    LookUpSuperClasses(*nameSpace);
}

// Up to the root class or the first class without a superclass. A server
// that names superclasses in a circle, or without end, is cut off at the
// depth a namespace loads.
void TCimHTTPClass::LookUpSuperClasses(const TCimHTTPNamespace& nameSpace) const
{
    const boost::shared_ptr<TCimHTTPClass> root = nameSpace.GetRootClass();
    boost::shared_ptr<const ICIMClass> current = shared_from_this();
    for (std::size_t steps = 0; current && current != root; ++steps) {
        if (steps == TCimHTTPLoadChain::kMaxDepth) {
            WriteLog(eLogError, "TCimHTTPClass::EnumerateAssociationClasses " + fName +
                                    " : the superclass chain does not end within " +
                                    std::to_string(TCimHTTPLoadChain::kMaxDepth) + " classes");
            return;
        }
        current = current->GetSuperClass(TCIMContext());
    }
}

boost::shared_ptr<ICIMInstance> TCimHTTPClass::AllocateInstance(TCIMContext context)
{
    return boost::make_shared<TCimHTTPInstance>(shared_from_this(), context);
}

void TCimHTTPClass::EnumerateInstances(TInstanceCallback callback, bool deep, TCIMContext)
{
    std::vector<const TCimHTTPClass*> walk;
    EnumerateInstancesOnWalk(callback, deep, walk);
}

TCIMValue TCimHTTPClass::InvokeMethod(const std::string&, TCIMContext&, TCIMContext)
{
    return TCIMValue();
}

TCIMValue TCimHTTPClass::InvokeMethod(const TCIMReference& object, const std::string& methodName,
                                      const TCIMContext& inParameters, TCIMContext& outParameters, TCIMContext)
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = LiveNamespace("InvokeMethod");
    if (!nameSpace)
        return TCIMValue();
    const TCimHTTPMethodCall call(nameSpace->getfCimHTTPNamespaceName(), object, methodName, inParameters);
    PegClient* client = nameSpace->getPegClient();
    if (!client) {
        Trace("TCimHTTPClass::InvokeMethod " + fName + " : the namespace has no connection to its first node");
        return TCIMValue();
    }
    return call.Run(*client, fEnumerateInstancesTimeout, shared_from_this(), outParameters);
}

void TCimHTTPClass::AddInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context)
{
    boost::shared_ptr<TCimHTTPInstance> own = boost::dynamic_pointer_cast<TCimHTTPInstance>(instance);
    if (!own)
        throw TQELException(TQELStatusCode::eNotSupported, "instance of another provider");
    fInstances.Add(own->BuildPath(context).GetPath(), own);
}

void TCimHTTPClass::RemoveInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context)
{
    if (!instance)
        throw TQELException(TQELStatusCode::eInvalidValue, "no instance to remove");
    fInstances.Remove(instance->BuildPath(context).GetPath());
}

// The first instance filed under the reference's path.
boost::shared_ptr<ICIMInstance> TCimHTTPClass::GetInstance(const TCIMReference& reference, TCIMContext) const
{
    return fInstances.Find(reference.GetPath());
}

// The callback sees the instances of every node in ascending path order;
// a false from it ends this class's enumeration, subclasses included. A
// class already on the walk (children that lead back up, which a host can
// make) and classes deeper than kMaxSubclassDepth are not entered.
void TCimHTTPClass::EnumerateInstancesOnWalk(const TInstanceCallback& callback, bool deep,
                                             std::vector<const TCimHTTPClass*>& walk)
{
    if (std::find(walk.begin(), walk.end(), this) != walk.end())
        return;
    if (walk.size() >= kMaxSubclassDepth) {
        WriteLog(eLogError, "TCimHTTPClass::EnumerateInstances " + fName + " : subclasses nested too deep");
        return;
    }
    fInstances.Clear();
    ReadInstances(deep);
    // The callback may file or remove instances, or enumerate again. Each
    // pointer is let go right after its call, while the instance is at hand.
    std::vector<boost::shared_ptr<TCimHTTPInstance>> found = fInstances.Instances();
    for (boost::shared_ptr<TCimHTTPInstance>& pending : found) {
        const boost::shared_ptr<TCimHTTPInstance> instance = std::move(pending);
        if (!callback(instance))
            return;
    }
    if (!deep)
        return;
    walk.push_back(this);
    const std::vector<boost::shared_ptr<TCimHTTPClass>> children = fChildren;
    for (const boost::shared_ptr<TCimHTTPClass>& child : children)
        child->EnumerateInstancesOnWalk(callback, true, walk);
    walk.pop_back();
}

// Every node in order; a node that fails adds nothing. What was read is
// filed at the end, sorted once, also when an exception ends the reading.
void TCimHTTPClass::ReadInstances(bool deep)
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    if (!nameSpace) {
        Trace("TCimHTTPClass::EnumerateInstances " + fName + " : its namespace is gone");
        return;
    }
    TCimHTTPInstanceBatch read;
    try {
        ReadEveryNode(*nameSpace, deep, read);
    } catch (...) {
        read.FileInto(fInstances);
        throw;
    }
    read.FileInto(fInstances);
}

// Server instances are let go once converted, so that the server's answer
// and the host's instances are not held in full at the same time. They go in
// runs: the memory of a run freed together is whole blocks the allocator
// reuses for the next instances, where instances freed one by one left
// pieces too small to reuse (a third more peak memory).
void TCimHTTPClass::ReadEveryNode(TCimHTTPNamespace& nameSpace, bool deep, TCimHTTPInstanceBatch& read)
{
    const TCimHTTPNamespace::TNodeTable nodes = nameSpace.getPegClientVec();
    Trace("DEBUG: TCimHTTPClass:EI Total Clients " + std::to_string(nodes.size()) + "\n");
    const Pegasus::CIMNamespaceName* pegNamespace = nameSpace.getPegNSP();
    const std::string namespaceName = pegNamespace ? std::string(pegNamespace->getString().getCString()) : "";
    TCimHTTPInstanceConverter converter(*this, nameSpace, nodes.size() > 1);
    for (std::size_t index = 0; index < nodes.size(); ++index) {
        if (nodes[index].empty())
            continue;
        const TCimHTTPInstanceConverter::TNode node{index, nodes[index].begin()->first};
        Pegasus::Array<Pegasus::CIMInstance> found = nodes[index].begin()->second->EnumerateInstances(
            namespaceName, fName, fEnumerateInstancesTimeout, deep, true, false, false, Pegasus::CIMPropertyList());
        Trace("DEBUG: TCimHTTPClass:EnumerateInstances pegclient " + std::to_string(index) + " get instance of " +
              fName + "\n" + fName + " instance size " + std::to_string(found.size()) + "\n");
        read.Reserve(found.size());
        for (Pegasus::Uint32 i = 0; i < found.size(); ++i) {
            boost::shared_ptr<TCimHTTPInstance> instance = converter.Convert(found[i], node);
            if (instance)
                read.Add(instance->BuildPath(TCIMContext()).GetPath(), instance);
            if ((i + 1) % kReleasedTogether == 0)
                for (Pegasus::Uint32 done = i + 1 - kReleasedTogether; done <= i; ++done)
                    found[done] = Pegasus::CIMInstance();
        }
    }
}

bool TCimHTTPClass::IsMultiNode() const
{
    boost::shared_ptr<TCimHTTPNamespace> nameSpace = fNamespace.lock();
    return nameSpace && nameSpace->getPegClientVec().size() > 1;
}

// A worklist rather than recursion: a class is emptied, children and all,
// before its children are visited, so children that lead back up end there.
void TCimHTTPClass::ClearInstances()
{
    std::vector<boost::shared_ptr<TCimHTTPClass>> pending{shared_from_this()};
    while (!pending.empty()) {
        boost::shared_ptr<TCimHTTPClass> cls = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), cls->fChildren.begin(), cls->fChildren.end());
        cls->ClearOwnTables();
    }
}

void TCimHTTPClass::ClearOwnTables()
{
    fChildren.clear();
    fQualifiers = TCimHTTPQualifierTable();
    fPropertyDecls.clear();
    fStaticProperties.clear();
    fInstances.Clear();
    fMethodDecls.clear();
}

std::string TCimHTTPClass::GetTarnVersion() const
{
    return TCimHTTPTarnController::Version();
}

std::string TCimHTTPClass::GetTarnServiceType() const
{
    return TCimHTTPTarnController::ServiceType();
}

}  // namespace NVORNQEL20
