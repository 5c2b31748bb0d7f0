#include "schema/TInstanceDescription.h"

#include <nlohmann/json.hpp>

#include <qel/ICIMClass.h>
#include <qel/ICIMPropertyDecl.h>
#include <qel/TQELException.h>

#include "instance/TCimHTTPProperty.h"
#include "output/JsonValue.h"

namespace NCimHTTPCli {

using namespace NVORNQEL20;

namespace {

const TCIMContext kNoContext;
// The property the plug-in fills with the node an instance came from.
const char* const kNodeIdProperty = "NodeID";

TJson NodeOf(const ICIMInstance& instance) {
    try {
        return JsonOf(instance.GetProperty(kNodeIdProperty, kNoContext)->GetValue(kNoContext));
    } catch (const TQELException&) {
        return nullptr;
    }
}

}  // namespace

TJson TInstanceDescription::Describe(const ICIMInstance& instance) {
    TJson properties = TJson::array();
    instance.EnumerateProperties(
        [&properties](boost::shared_ptr<ICIMProperty> property) {
            properties.push_back(Property(property));
            return true;
        },
        kNoContext);
    boost::shared_ptr<ICIMClass> cls = instance.GetClass(kNoContext);
    return {{"path", instance.GetReference(kNoContext).GetPath()},
            {"class", cls ? TJson(cls->GetName(kNoContext)) : TJson(nullptr)},
            {"node", NodeOf(instance)},
            {"properties", properties}};
}

TJson TInstanceDescription::Property(const boost::shared_ptr<ICIMProperty>& property) {
    boost::shared_ptr<ICIMPropertyDecl const> declaration = property->GetDeclaration(kNoContext);
    const TCIMValue& value = property->GetValue(kNoContext);
    return {{"name", declaration ? TJson(declaration->GetName(kNoContext)) : TJson(nullptr)},
            {"type", property->GetType(kNoContext).GetName()},
            {"display", DisplayOf(property)},
            {"value", JsonOf(value)}};
}

// A display operation that fails (it should not) shows the value's own text.
TJson TInstanceDescription::DisplayOf(const boost::shared_ptr<ICIMProperty>& property) {
    const TCIMValue& value = property->GetValue(kNoContext);
    try {
        if (!property->GetDeclaration(kNoContext)) {
            return value.ToString();
        }
        const TCimHTTPProperty display{boost::shared_ptr<ICIMProperty const>(property)};
        if (property->IsArray(kNoContext)) {
            return value.IsNull() ? TJson(nullptr) : TJson(display.ToStringVector());
        }
        return display.ToString();
    } catch (const TQELException&) {
        return value.ToString();
    }
}

}  // namespace NCimHTTPCli
