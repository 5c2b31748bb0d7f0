#include "class/TCimHTTPClassLoader.h"

#include <boost/pointer_cast.hpp>

#include <Pegasus/Common/CIMFlavor.h>
#include <Pegasus/Common/CIMParameter.h>
#include <Pegasus/Common/Exception.h>

#include <qel/ICIMParameterDecl.h>
#include <qel/ICIMQualifier.h>

#include "class/TCimHTTPClass.h"
#include "client/Debug.h"
#include "convert/ValueConversion.h"
#include "namespace/TCimHTTPNamespace.h"
#include "schema/TCimHTTPMethodDecl.h"
#include "schema/TCimHTTPPropertyDecl.h"
#include "schema/TCimHTTPQualifierDecl.h"

namespace NVORNQEL20 {

namespace {

const TCIMContext kNoContext;

struct TTextBits {
    const char* fText;
    int fBits;
};

// The whole text is compared: a qualifier with several flavor bits set has
// a text of several words, which maps to no bits.
const TTextBits kFlavors[] = {
    {"OVERRIDABLE", 0}, {"ENABLEOVERRIDE", 1}, {"TOSUBCLASS", 2},
    {"RESTRICTED", 0},  {"TRANSLATABLE", 4},   {"DEFAULTS", 3},
};

const TTextBits kScopes[] = {
    {"CLASS", 1},      {"ASSOCIATION", 2}, {"INDICATION", 4}, {"PROPERTY", 8},
    {"REFERENCE", 16}, {"METHOD", 32},     {"PARAMETER", 64}, {"ANY", 127},
};

template <std::size_t N>
int BitsOf(const TTextBits (&table)[N], const std::string& text)
{
    for (const TTextBits& entry : table)
        if (text == entry.fText)
            return entry.fBits;
    return 0;
}

std::string Text(const Pegasus::String& text)
{
    return std::string(text.getCString());
}

std::string NameOf(const Pegasus::CIMName& name)
{
    return Text(name.getString());
}

// Inserts under the normalized name unless the name is taken.
template <typename TTable, typename TDeclaration>
void InsertFirst(TTable& table, const std::string& name, const TDeclaration& declaration)
{
    table.emplace(TCimHTTPNamespace::NormalizeName(name), declaration);
}

}  // namespace

ICIMQualifierDecl::EFlavor TCimHTTPClassLoader::FlavorOf(const std::string& text)
{
    return static_cast<ICIMQualifierDecl::EFlavor>(BitsOf(kFlavors, text));
}

ICIMQualifierDecl::EScope TCimHTTPClassLoader::ScopeOf(const std::string& text)
{
    return static_cast<ICIMQualifierDecl::EScope>(BitsOf(kScopes, text));
}

TCimHTTPClassLoader::TCimHTTPClassLoader(TCimHTTPClass& cls, TCimHTTPNamespace& nameSpace)
    : fClass(cls), fNamespace(nameSpace)
{
}

void TCimHTTPClassLoader::Load(const Pegasus::CIMClass& definition)
{
    LoadQualifiers(definition, fClass, Pegasus::CIMScope::CLASS);
    for (Pegasus::Uint32 i = 0; i < definition.getPropertyCount(); ++i)
        LoadProperty(definition.getProperty(i));
    AddNodeID();
    for (Pegasus::Uint32 i = 0; i < definition.getMethodCount(); ++i)
        LoadMethod(definition.getMethod(i));
}

// A qualifier the server reports as a CIM error costs only itself.
template <typename TElement>
void TCimHTTPClassLoader::LoadQualifiers(const TElement& source, ICIMNamedElement& target,
                                         const Pegasus::CIMScope& scope)
{
    for (Pegasus::Uint32 i = 0; i < source.getQualifierCount(); ++i) {
        const Pegasus::CIMConstQualifier qualifier = source.getQualifier(i);
        try {
            LoadQualifier(qualifier, target, scope);
        } catch (const Pegasus::CIMException&) {
            Trace("TCimHTTPClass::Initialize - Unable to retrieve qualifier: " + NameOf(qualifier.getName()));
        }
    }
}

void TCimHTTPClassLoader::LoadQualifier(const Pegasus::CIMConstQualifier& qualifier, ICIMNamedElement& target,
                                        const Pegasus::CIMScope& scope)
{
    const std::string name = NameOf(qualifier.getName());
    boost::shared_ptr<ICIMQualifierDecl const> declaration = DeclarationOf(qualifier, scope);
    TCIMValue value;
    pegValToQEL(name, qualifier.getValue(), qualifier.getType(), qualifier.isArray(), value,
                fClass.shared_from_this());
    target.AddQualifier(target.AllocateQualifier(declaration, value, kNoContext), kNoContext);
}

// The namespace's declaration; one made from this use when it has none:
// its type is the qualifier's, as a scalar.
boost::shared_ptr<ICIMQualifierDecl const> TCimHTTPClassLoader::DeclarationOf(const Pegasus::CIMConstQualifier& qualifier,
                                                                             const Pegasus::CIMScope& scope)
{
    const std::string name = NameOf(qualifier.getName());
    if (boost::shared_ptr<ICIMQualifierDecl> known = fNamespace.GetQualifierDecl(name, kNoContext))
        return known;
    boost::shared_ptr<ICIMQualifierDecl> declared = fNamespace.AllocateQualifierDecl(
        name, TCIMValue(pegTypeToQELType(qualifier.getType(), false), 0), ScopeOf(Text(scope.toString())),
        FlavorOf(Text(qualifier.getFlavor().toString())), kNoContext);
    fNamespace.AddQualifierDecl(boost::static_pointer_cast<TCimHTTPQualifierDecl>(declared));
    return declared;
}

// The declaration takes the property's type from an empty value of that
// type; the server's default value is not kept.
void TCimHTTPClassLoader::LoadProperty(const Pegasus::CIMConstProperty& property)
{
    const std::string name = NameOf(property.getName());
    boost::shared_ptr<TCimHTTPPropertyDecl> declaration =
        boost::static_pointer_cast<TCimHTTPPropertyDecl>(fClass.AllocatePropertyDecl(name, TCIMValue(), kNoContext));
    declaration->SetDefaultValue(TCIMValue(pegTypeToQELType(property.getType(), property.isArray()), 0), kNoContext);
    LoadQualifiers(property, *declaration, Pegasus::CIMScope::PROPERTY);
    InsertFirst(fClass.fPropertyDecls, name, declaration);
}

void TCimHTTPClassLoader::AddNodeID()
{
    InsertFirst(fClass.fPropertyDecls, TCimHTTPClass::kNodeIdProperty, fClass.AllocateNodeIdDecl());
}

// Methods and parameters come without their qualifiers; parameter types are
// taken as scalars.
void TCimHTTPClassLoader::LoadMethod(const Pegasus::CIMConstMethod& method)
{
    const std::string name = NameOf(method.getName());
    boost::shared_ptr<TCimHTTPMethodDecl> declaration = boost::static_pointer_cast<TCimHTTPMethodDecl>(
        fClass.AllocateMethodDecl(name, pegTypeToQELType(method.getType(), false), kNoContext));
    for (Pegasus::Uint32 i = 0; i < method.getParameterCount(); ++i) {
        const Pegasus::CIMConstParameter parameter = method.getParameter(i);
        declaration
            ->AllocateParameterDecl(NameOf(parameter.getName()), pegTypeToQELType(parameter.getType(), false),
                                    kNoContext)
            ->AddToMethod(kNoContext);
    }
    InsertFirst(fClass.fMethodDecls, name, declaration);
}

}  // namespace NVORNQEL20
