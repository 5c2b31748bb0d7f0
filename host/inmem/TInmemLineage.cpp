#include "TInmemLineage.h"

#include <algorithm>
#include <exception>

#include <qel/TCIMName.h>
#include <qel/TCoreLogger.h>
#include <qel/TRootObject.h>

namespace NVORNQEL20 {

namespace {

// A superclass that cannot be had ends the chain there: the declarations
// found so far still serve, and values of names declared further up are
// kept under declarations of their own type.
boost::shared_ptr<ICIMClass> SuperClassOf(const ICIMClass& cimClass) {
    try {
        return cimClass.GetSuperClass(TCIMContext());
    } catch (const std::exception& error) {
        TRootObject::GetCoreLogger()->Log(
            0, "Inmem: no superclass of " + cimClass.GetName(TCIMContext()) + " to inherit from: " + error.what());
        return boost::shared_ptr<ICIMClass>();
    }
}

bool ShorterOrBefore(const std::string& left, const std::string& right) {
    return left.size() != right.size() ? left.size() < right.size() : left < right;
}

bool IsOnChain(const std::vector<boost::shared_ptr<ICIMClass>>& chain, const boost::shared_ptr<ICIMClass>& cimClass) {
    return std::find(chain.begin(), chain.end(), cimClass) != chain.end();
}

}  // namespace

TInmemLineage::TInmemLineage(const boost::shared_ptr<ICIMClass>& cimClass, unsigned long schemaGeneration)
    : fClass(cimClass.get()), fSchemaGeneration(schemaGeneration) {
    WalkChainFrom(cimClass);
}

// The classes of the chain are held while walking, so that no class seen
// can be destroyed and its address taken by another during the walk.
void TInmemLineage::WalkChainFrom(const boost::shared_ptr<ICIMClass>& cimClass) {
    std::vector<boost::shared_ptr<ICIMClass>> chain;
    std::map<std::string, boost::weak_ptr<ICIMPropertyDecl>> declarations;
    std::map<std::string, std::string> keyNames;
    for (boost::shared_ptr<ICIMClass> current = cimClass; current && !IsOnChain(chain, current);) {
        chain.push_back(current);
        fChain.push_back(current);
        Collect(*current, declarations, keyNames);
        current = chain.size() < kMaxClasses ? SuperClassOf(*current) : boost::shared_ptr<ICIMClass>();
    }
    fDeclarations.assign(declarations.begin(), declarations.end());
    IndexByLength();
    for (const auto& entry : keyNames) {
        fKeyNames.push_back(entry.second);
    }
}

// A name already found nearer to the class keeps that declaration and spelling.
void TInmemLineage::Collect(const ICIMClass& cimClass,
                            std::map<std::string, boost::weak_ptr<ICIMPropertyDecl>>& declarations,
                            std::map<std::string, std::string>& keyNames) {
    cimClass.EnumeratePropertyDecls(
        [&declarations](boost::shared_ptr<ICIMPropertyDecl> declaration) {
            if (declaration) {
                declarations.emplace(TCIMName::LowerCase(declaration->GetName(TCIMContext())), declaration);
            }
            return true;
        },
        TCIMContext());
    cimClass.EnumerateKeyNames(
        [&keyNames](const std::string* name) {
            if (name) {
                keyNames.emplace(TCIMName::LowerCase(*name), *name);
            }
            return true;
        },
        TCIMContext());
}

boost::shared_ptr<ICIMPropertyDecl> TInmemLineage::FindDeclaration(const std::string& lowerCaseName) const {
    const std::size_t index = IndexOf(lowerCaseName);
    return index == kNotDeclared ? boost::shared_ptr<ICIMPropertyDecl>() : fDeclarations[index].second.lock();
}

void TInmemLineage::IndexByLength() {
    fByLength.resize(fDeclarations.size());
    for (std::size_t index = 0; index < fByLength.size(); ++index) {
        fByLength[index] = index;
    }
    std::sort(fByLength.begin(), fByLength.end(), [this](std::size_t left, std::size_t right) {
        return ShorterOrBefore(fDeclarations[left].first, fDeclarations[right].first);
    });
}

std::size_t TInmemLineage::IndexOf(const std::string& lowerCaseName) const {
    auto found = std::lower_bound(fByLength.begin(), fByLength.end(), lowerCaseName,
                                  [this](std::size_t index, const std::string& name) {
                                      return ShorterOrBefore(fDeclarations[index].first, name);
                                  });
    return found == fByLength.end() || fDeclarations[*found].first != lowerCaseName ? kNotDeclared : *found;
}

const TInmemLineage::TDeclarations& TInmemLineage::Declarations() const { return fDeclarations; }

const std::vector<std::string>& TInmemLineage::KeyNames() const { return fKeyNames; }

bool TInmemLineage::HasOnChain(const ICIMClass& cimClass) const {
    const std::string& name = cimClass.GetName(TCIMContext());
    return std::any_of(fChain.begin(), fChain.end(), [&cimClass, &name](const boost::weak_ptr<ICIMClass>& member) {
        boost::shared_ptr<ICIMClass> live = member.lock();
        return live && (live.get() == &cimClass || TCIMName::EqualNoCase(live->GetName(TCIMContext()), name));
    });
}

bool TInmemLineage::IsCurrentFor(const ICIMClass* cimClass, unsigned long schemaGeneration) const {
    return fClass == cimClass && IsCurrent(schemaGeneration);
}

bool TInmemLineage::IsCurrent(unsigned long schemaGeneration) const {
    return IsAlive() && schemaGeneration == fSchemaGeneration &&
           std::none_of(fChain.begin(), fChain.end(),
                        [](const boost::weak_ptr<ICIMClass>& member) { return member.expired(); });
}

bool TInmemLineage::IsAlive() const { return !fChain.empty() && !fChain.front().expired(); }

}  // namespace NVORNQEL20
