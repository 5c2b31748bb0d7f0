#ifndef QEL_INMEM_TINMEMLINEAGE_H
#define QEL_INMEM_TINMEMLINEAGE_H

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMPropertyDecl.h>

namespace NVORNQEL20 {

// What the instances of one class need to know of the class and the classes
// above it, found by one walk up the superclass chain: every property
// declaration (the one nearest to the class wins a name) and every key name.
//
// A class may declare only what it defines or overrides, and asking for its
// superclass may cost a request to a remote server, so the walk is made once
// and remembered (TInmemLineageCache). The walk stops at an empty superclass,
// at a class already on the chain (a chain that loops, or a root class that
// names itself as its superclass), at a superclass that cannot be had (an
// exception) and after kMaxClasses classes. Classes and declarations are held
// weakly: a lineage never keeps its schema alive.
class TInmemLineage {
public:
    // A declaration and its lower-case name.
    typedef std::pair<std::string, boost::weak_ptr<ICIMPropertyDecl>> TDeclaration;
    // Ordered by lower-case name, each name once.
    typedef std::vector<TDeclaration> TDeclarations;

    static const std::size_t kNotDeclared = static_cast<std::size_t>(-1);

    static const std::size_t kMaxClasses = 64;

    // cimClass must not be empty. schemaGeneration: the cache's count of
    // schema changes when the walk began. Exceptions from the enumerations of
    // a class of the chain pass to the caller.
    TInmemLineage(const boost::shared_ptr<ICIMClass>& cimClass, unsigned long schemaGeneration);

    // The declaration of the lower-case name nearest to the class; empty when
    // no class of the chain declares it (or the declaration is gone).
    boost::shared_ptr<ICIMPropertyDecl> FindDeclaration(const std::string& lowerCaseName) const;
    // The place of the lower-case name in Declarations(); kNotDeclared when
    // no class of the chain declares it.
    std::size_t IndexOf(const std::string& lowerCaseName) const;
    const TDeclarations& Declarations() const;
    // The key names of the chain, each once, ordered without regard to letter case.
    const std::vector<std::string>& KeyNames() const;
    // Whether the class (that object, or one of its name without regard to
    // letter case) is on the chain, the class the lineage was built for included.
    bool HasOnChain(const ICIMClass& cimClass) const;

    // True while the class still lives at that address, every class of the
    // chain is still alive and no schema change happened since the walk.
    bool IsCurrentFor(const ICIMClass* cimClass, unsigned long schemaGeneration) const;
    // The same for the class the lineage was built for.
    bool IsCurrent(unsigned long schemaGeneration) const;
    // False once the class the lineage was built for is gone.
    bool IsAlive() const;

private:
    void WalkChainFrom(const boost::shared_ptr<ICIMClass>& cimClass);
    void IndexByLength();
    static void Collect(const ICIMClass& cimClass,
                        std::map<std::string, boost::weak_ptr<ICIMPropertyDecl>>& declarations,
                        std::map<std::string, std::string>& keyNames);

    // The places of Declarations() ordered by the name's length first, then
    // by the name: most steps of a look-up compare lengths only.
    std::vector<std::size_t> fByLength;
    std::vector<boost::weak_ptr<ICIMClass>> fChain;
    // The class the lineage was built for, compared by address only while it lives.
    const ICIMClass* fClass;
    TDeclarations fDeclarations;
    std::vector<std::string> fKeyNames;
    unsigned long fSchemaGeneration;
};

}  // namespace NVORNQEL20

#endif
