#include <qel/TUnionNamespace.h>

#include <algorithm>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/INamespaceProvider.h>
#include <qel/TCIMName.h>
#include <qel/TQELException.h>

namespace NVORNQEL20 {

namespace {

// Marks a class name as being looked up for as long as it lives.
class TLookupGuard {
public:
    TLookupGuard(std::set<std::string>& inProgress, const std::string& name)
        : fInProgress(inProgress), fName(TCIMName::LowerCase(name)), fEntered(inProgress.insert(fName).second) {}
    ~TLookupGuard() {
        if (fEntered) {
            fInProgress.erase(fName);
        }
    }
    TLookupGuard(const TLookupGuard&) = delete;
    TLookupGuard& operator=(const TLookupGuard&) = delete;

    bool IsReentry() const { return !fEntered; }

private:
    std::set<std::string>& fInProgress;
    std::string fName;
    bool fEntered;
};

// Passes on each element whose name was not passed on before, until the callback says stop.
template <typename TElement>
boost::function<bool(boost::shared_ptr<TElement>)> FirstOfEachName(
    const boost::function<bool(boost::shared_ptr<TElement>)>& callback, std::set<std::string>& seen, bool& stopped) {
    return [&callback, &seen, &stopped](boost::shared_ptr<TElement> element) {
        if (seen.insert(TCIMName::LowerCase(element->GetName(TCIMContext()))).second) {
            stopped = !callback(element);
        }
        return !stopped;
    };
}

}  // namespace

boost::shared_ptr<INamespaceProvider> TUnionNamespace::GetNamespaceProvider(TCIMContext) const {
    return boost::shared_ptr<INamespaceProvider>();
}

void TUnionNamespace::SetUpcallNamespace(boost::shared_ptr<ICIMNamespace> upcall, TCIMContext) { fUpcall = upcall; }

void TUnionNamespace::AddUnderlyingNamespace(boost::shared_ptr<ICIMNamespace> underlying, TCIMContext) {
    if (underlying && std::find(fUnderlying.begin(), fUnderlying.end(), underlying) == fUnderlying.end()) {
        fUnderlying.push_back(underlying);
    }
}

boost::shared_ptr<ICIMClass> TUnionNamespace::AllocateClass(const std::string& name, boost::shared_ptr<ICIMClass>,
                                                            TCIMContext) {
    throw TQELException(TQELStatusCode::eModificationNotSupported,
                        "a union namespace holds no classes of its own: allocate " + name + " in an underlying one");
}

boost::shared_ptr<ICIMClass> TUnionNamespace::GetClass(const std::string& name, TCIMContext context) {
    TLookupGuard guard(fLookupsInProgress, name);
    if (guard.IsReentry()) {
        return boost::shared_ptr<ICIMClass>();
    }
    for (const boost::shared_ptr<ICIMNamespace>& underlying : fUnderlying) {
        if (boost::shared_ptr<ICIMClass> found = underlying->GetClass(name, context)) {
            return found;
        }
    }
    return boost::shared_ptr<ICIMClass>();
}

void TUnionNamespace::EnumerateRootClasses(TClassCallback callback, TCIMContext context) {
    std::set<std::string> seen;
    bool stopped = false;
    TClassCallback firstOfEachName = FirstOfEachName(callback, seen, stopped);
    for (auto underlying = fUnderlying.begin(); !stopped && underlying != fUnderlying.end(); ++underlying) {
        (*underlying)->EnumerateRootClasses(firstOfEachName, context);
    }
}

void TUnionNamespace::EnumerateProviders(TProviderCallback callback, TCIMContext context) {
    std::vector<boost::shared_ptr<INamespaceProvider>> seen;
    for (const boost::shared_ptr<ICIMNamespace>& underlying : fUnderlying) {
        boost::shared_ptr<INamespaceProvider> provider = underlying->GetNamespaceProvider(context);
        if (!provider || std::find(seen.begin(), seen.end(), provider) != seen.end()) {
            continue;
        }
        seen.push_back(provider);
        if (!callback(provider)) {
            return;
        }
    }
}

boost::shared_ptr<ICIMQualifierDecl> TUnionNamespace::AllocateQualifierDecl(const std::string& name,
                                                                            const TCIMValue&,
                                                                            ICIMQualifierDecl::EScope,
                                                                            ICIMQualifierDecl::EFlavor,
                                                                            TCIMContext) {
    throw TQELException(TQELStatusCode::eModificationNotSupported,
                        "a union namespace holds no qualifiers of its own: allocate " + name +
                            " in an underlying one");
}

boost::shared_ptr<ICIMQualifierDecl> TUnionNamespace::GetQualifierDecl(const std::string& name,
                                                                       TCIMContext context) const {
    for (const boost::shared_ptr<ICIMNamespace>& underlying : fUnderlying) {
        if (boost::shared_ptr<ICIMQualifierDecl> found = underlying->GetQualifierDecl(name, context)) {
            return found;
        }
    }
    return boost::shared_ptr<ICIMQualifierDecl>();
}

void TUnionNamespace::EnumerateQualifierDecls(TQualifierDeclCallback callback, TCIMContext context) const {
    std::set<std::string> seen;
    bool stopped = false;
    TQualifierDeclCallback firstOfEachName = FirstOfEachName(callback, seen, stopped);
    for (auto underlying = fUnderlying.begin(); !stopped && underlying != fUnderlying.end(); ++underlying) {
        (*underlying)->EnumerateQualifierDecls(firstOfEachName, context);
    }
}

void TUnionNamespace::Subscribe(const std::string&, TInstanceCallback, TCIMContext) {
    throw TQELException(TQELStatusCode::eNotSupported, "subscribe with an underlying namespace");
}

boost::shared_ptr<ICIMNamespace> TUnionNamespace::NamespaceOfClass(const std::string& className) const {
    for (const boost::shared_ptr<ICIMNamespace>& underlying : fUnderlying) {
        if (underlying->GetClass(className, TCIMContext())) {
            return underlying;
        }
    }
    return boost::shared_ptr<ICIMNamespace>();
}

boost::shared_ptr<ICIMNamespace> TUnionNamespace::RequiredNamespaceOfClass(const std::string& className) const {
    if (boost::shared_ptr<ICIMNamespace> found = NamespaceOfClass(className)) {
        return found;
    }
    throw TQELException(TQELStatusCode::eNotFound, "no namespace of the union knows class " + className);
}

boost::shared_ptr<ICIMInstance> TUnionNamespace::GetInstance(const TCIMReference& reference,
                                                             TCIMContext context) const {
    boost::shared_ptr<ICIMNamespace> found = NamespaceOfClass(reference.GetClassName());
    return found ? found->GetInstance(reference, context) : boost::shared_ptr<ICIMInstance>();
}

void TUnionNamespace::DeleteInstance(const TCIMReference& reference, TCIMContext context) {
    RequiredNamespaceOfClass(reference.GetClassName())->DeleteInstance(reference, context);
}

void TUnionNamespace::ModifyInstance(boost::shared_ptr<ICIMInstance> instance, TCIMContext context) {
    RequiredNamespaceOfClass(instance->BuildPath(TCIMContext()).GetClassName())->ModifyInstance(instance, context);
}

void TUnionNamespace::ExecuteQuery(const std::string&, TInstanceCallback, TCIMContext) {
    throw TQELException(TQELStatusCode::eNotSupported, "run queries in an underlying namespace");
}

void TUnionNamespace::ClearInstances() {
    for (const boost::shared_ptr<ICIMNamespace>& underlying : fUnderlying) {
        underlying->ClearInstances();
    }
}

ICIMNamespace& TUnionNamespace::operator=(const ICIMNamespace&) { return *this; }

const std::vector<boost::shared_ptr<ICIMNamespace>>& TUnionNamespace::GetUnderlyingNamespaces() const {
    return fUnderlying;
}

}  // namespace NVORNQEL20
