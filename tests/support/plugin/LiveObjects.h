#ifndef CIMHTTP_TESTS_SUPPORT_LIVEOBJECTS_H
#define CIMHTTP_TESTS_SUPPORT_LIVEOBJECTS_H

#include <algorithm>
#include <cstddef>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMInstance.h>
#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMNamespace.h>
#include <qel/ICIMParameterDecl.h>
#include <qel/ICIMProperty.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/ICIMQualifier.h>
#include <qel/ICIMQualifierDecl.h>

namespace cimhttp_test {

// Weak pointers to every object a namespace hands out that the host can
// reach: its classes, their qualifiers, declarations, methods and
// parameters, the qualifier declarations, instances and their properties.
// Once the host lets go, none may be left alive: an object still alive is
// kept by a reference cycle.
class TLiveObjects {
public:
    template <typename TObject>
    void Watch(const boost::shared_ptr<TObject>& object)
    {
        if (object)
            fObjects.emplace_back(boost::shared_ptr<const void>(object));
    }

    // Everything below the root class (which is watched too) and every
    // qualifier declaration.
    void WatchNamespace(NVORNQEL20::ICIMNamespace& nameSpace)
    {
        const NVORNQEL20::TCIMContext none;
        Watch(nameSpace.GetClass("", none));
        nameSpace.EnumerateRootClasses(
            [this](boost::shared_ptr<NVORNQEL20::ICIMClass> cls) {
                WatchClass(cls);
                return true;
            },
            none);
        nameSpace.EnumerateQualifierDecls(
            [this](boost::shared_ptr<NVORNQEL20::ICIMQualifierDecl> declaration) {
                Watch(declaration);
                return true;
            },
            none);
    }

    void WatchClass(const boost::shared_ptr<NVORNQEL20::ICIMClass>& cls)
    {
        const NVORNQEL20::TCIMContext none;
        Watch(cls);
        WatchQualifiers(*cls);
        cls->EnumeratePropertyDecls(
            [this](boost::shared_ptr<NVORNQEL20::ICIMPropertyDecl> declaration) {
                Watch(declaration);
                WatchQualifiers(*declaration);
                return true;
            },
            none);
        cls->EnumerateMethodDecls(
            [this](boost::shared_ptr<NVORNQEL20::ICIMMethodDecl> method) {
                Watch(method);
                WatchParameters(*method);
                return true;
            },
            none);
    }

    void WatchInstance(const boost::shared_ptr<NVORNQEL20::ICIMInstance>& instance)
    {
        Watch(instance);
        instance->EnumerateProperties(
            [this](boost::shared_ptr<NVORNQEL20::ICIMProperty> property) {
                Watch(property);
                return true;
            },
            NVORNQEL20::TCIMContext());
    }

    std::size_t Watched() const { return fObjects.size(); }
    std::size_t Alive() const
    {
        return static_cast<std::size_t>(
            std::count_if(fObjects.begin(), fObjects.end(),
                          [](const boost::weak_ptr<const void>& object) { return !object.expired(); }));
    }

private:
    void WatchQualifiers(const NVORNQEL20::ICIMNamedElement& element)
    {
        element.EnumerateQualifiers(
            [this](boost::shared_ptr<NVORNQEL20::ICIMQualifier> qualifier) {
                Watch(qualifier);
                return true;
            },
            NVORNQEL20::TCIMContext());
    }

    void WatchParameters(const NVORNQEL20::ICIMMethodDecl& method)
    {
        NVORNQEL20::ICIMMethodDecl::TParameterDeclCallback watch =
            [this](boost::shared_ptr<NVORNQEL20::ICIMParameterDecl> parameter) {
                Watch(parameter);
                return true;
            };
        method.EnumerateParameterDecls(watch, NVORNQEL20::TCIMContext());
    }

    std::vector<boost::weak_ptr<const void>> fObjects;
};

}  // namespace cimhttp_test

#endif
