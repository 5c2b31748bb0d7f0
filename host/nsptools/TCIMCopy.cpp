#include <qel/TCIMCopy.h>

#include <qel/ICIMClass.h>
#include <qel/ICIMMethodDecl.h>
#include <qel/ICIMNamespace.h>
#include <qel/ICIMParameterDecl.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/ICIMQualifier.h>
#include <qel/ICIMQualifierDecl.h>

using namespace NVORNQEL20;

namespace {

// The namespace's declaration of the qualifier, declared there from the source's when missing.
boost::shared_ptr<ICIMQualifierDecl const> DeclarationIn(ICIMNamespace& target, const ICIMQualifierDecl& source) {
    const std::string& name = source.GetName(TCIMContext());
    if (boost::shared_ptr<ICIMQualifierDecl> existing = target.GetQualifierDecl(name, TCIMContext())) {
        return existing;
    }
    boost::shared_ptr<ICIMQualifierDecl> declared =
        target.AllocateQualifierDecl(name, source.GetDefaultValue(TCIMContext()), source.GetScope(TCIMContext()),
                                     source.GetFlavor(TCIMContext()), TCIMContext());
    declared->AddToNamespace(TCIMContext());
    return declared;
}

void CopyQualifiers(const ICIMNamedElement& source, ICIMNamedElement& target, ICIMNamespace& nameSpace) {
    source.EnumerateQualifiers(
        [&target, &nameSpace](boost::shared_ptr<ICIMQualifier> qualifier) {
            boost::shared_ptr<ICIMQualifierDecl const> declaration =
                DeclarationIn(nameSpace, *qualifier->GetDeclaration(TCIMContext()));
            target.AddQualifier(target.AllocateQualifier(declaration, qualifier->GetValue(TCIMContext()),
                                                         qualifier->GetFlavor(TCIMContext()), TCIMContext()),
                                TCIMContext());
            return true;
        },
        TCIMContext());
}

void CopyPropertyDecls(const ICIMClass& source, ICIMClass& target, ICIMNamespace& nameSpace) {
    source.EnumeratePropertyDecls(
        [&target, &nameSpace](boost::shared_ptr<ICIMPropertyDecl> property) {
            boost::shared_ptr<ICIMPropertyDecl> copy = target.AllocatePropertyDecl(
                property->GetName(TCIMContext()), property->GetDefaultValue(TCIMContext()), TCIMContext());
            CopyQualifiers(*property, *copy, nameSpace);
            copy->AddToClass(TCIMContext());
            return true;
        },
        TCIMContext());
}

void CopyParameterDecls(const ICIMMethodDecl& source, ICIMMethodDecl& target, ICIMNamespace& nameSpace) {
    ICIMMethodDecl::TParameterDeclCallback copyParameter = [&target, &nameSpace](
                                                               boost::shared_ptr<ICIMParameterDecl> parameter) {
        boost::shared_ptr<ICIMParameterDecl> copy = target.AllocateParameterDecl(
            parameter->GetName(TCIMContext()), parameter->GetType(TCIMContext()), TCIMContext());
        CopyQualifiers(*parameter, *copy, nameSpace);
        copy->AddToMethod(TCIMContext());
        return true;
    };
    source.EnumerateParameterDecls(copyParameter, TCIMContext());
}

void CopyMethodDecls(const ICIMClass& source, ICIMClass& target, ICIMNamespace& nameSpace) {
    source.EnumerateMethodDecls(
        [&target, &nameSpace](boost::shared_ptr<ICIMMethodDecl> method) {
            boost::shared_ptr<ICIMMethodDecl> copy = target.AllocateMethodDecl(
                method->GetName(TCIMContext()), method->GetReturnType(TCIMContext()), TCIMContext());
            CopyQualifiers(*method, *copy, nameSpace);
            CopyParameterDecls(*method, *copy, nameSpace);
            copy->AddToClass(TCIMContext());
            return true;
        },
        TCIMContext());
}

// The target's class for the source's superclass (copied there first when
// missing); empty for a class whose superclass is the root or none.
boost::shared_ptr<ICIMClass> ParentIn(const ICIMClass& source, boost::shared_ptr<ICIMNamespace> target) {
    boost::shared_ptr<ICIMClass> superClass = source.GetSuperClass(TCIMContext());
    if (!superClass || superClass->IsRootClass(TCIMContext())) {
        return boost::shared_ptr<ICIMClass>();
    }
    boost::shared_ptr<ICIMClass> parent = target->GetClass(superClass->GetName(TCIMContext()), TCIMContext());
    return parent ? parent : TCIMCopy::CopyClass(superClass, target);
}

}  // namespace

boost::shared_ptr<ICIMClass> TCIMCopy::CopyClass(boost::shared_ptr<ICIMClass> source,
                                                 boost::shared_ptr<ICIMNamespace> target) {
    boost::shared_ptr<ICIMClass> parent = ParentIn(*source, target);
    boost::shared_ptr<ICIMClass> copy = target->AllocateClass(source->GetName(TCIMContext()), parent, TCIMContext());
    CopyQualifiers(*source, *copy, *target);
    CopyPropertyDecls(*source, *copy, *target);
    CopyMethodDecls(*source, *copy, *target);
    copy->AddToNamespace(TCIMContext());
    return copy;
}
