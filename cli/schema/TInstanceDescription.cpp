#include "schema/TInstanceDescription.h"

#include <utility>

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

}  // namespace

TJson TInstanceDescription::Walk(const ICIMInstance& instance, const TPropertyVisitor& visit) {
    TJson node;
    instance.EnumerateProperties(
        [&node, &visit](boost::shared_ptr<ICIMProperty> property) {
            const std::string name = NameOf(property);
            if (name == kNodeIdProperty) {
                node = JsonOf(property->GetValue(kNoContext));
            }
            visit(property, name);
            return true;
        },
        kNoContext);
    return node;
}

TJson TInstanceDescription::Describe(const ICIMInstance& instance) {
    TJson properties = TJson::array();
    TJson node =
        Walk(instance, [&properties](const boost::shared_ptr<ICIMProperty>& property, const std::string& name) {
            properties.push_back(Property(property, name));
        });
    boost::shared_ptr<ICIMClass> cls = instance.GetClass(kNoContext);
    return {{"path", instance.GetReference(kNoContext).GetPath()},
            {"class", cls ? TJson(cls->GetName(kNoContext)) : TJson(nullptr)},
            {"node", std::move(node)},
            {"properties", std::move(properties)}};
}

TInstanceText TInstanceDescription::Text(const ICIMInstance& instance, bool raw) {
    TInstanceText text;
    const TJson node =
        Walk(instance, [&text, raw](const boost::shared_ptr<ICIMProperty>& property, const std::string& name) {
            text.fRows.push_back({name, DisplayTextOf(property)});
            if (raw) {
                text.fRows.back().push_back(TextOf(JsonOf(property->GetValue(kNoContext))));
            }
        });
    text.fHeading =
        instance.GetReference(kNoContext).GetPath() + (node.is_null() ? "" : "  (node " + TextOf(node) + ")");
    return text;
}

std::string TInstanceDescription::NameOf(const boost::shared_ptr<ICIMProperty>& property) {
    boost::shared_ptr<ICIMPropertyDecl const> declaration = property->GetDeclaration(kNoContext);
    return declaration ? declaration->GetName(kNoContext) : std::string();
}

// Members put in place one after the other: tens of thousands of these make
// a large answer, and the generic construction looks every key up.
TJson TInstanceDescription::Property(const boost::shared_ptr<ICIMProperty>& property, const std::string& name) {
    TJson described(TJson::value_t::object);
    TJson::object_t& members = described.get_ref<TJson::object_t&>();
    members.reserve(4);
    members.emplace_back("name", name.empty() ? TJson(nullptr) : TJson(name));
    members.emplace_back("type", property->GetType(kNoContext).GetName());
    members.emplace_back("display", DisplayOf(property));
    members.emplace_back("value", JsonOf(property->GetValue(kNoContext)));
    return described;
}

// A display operation that fails (it should not) shows the value's own text.
TInstanceDescription::TShown TInstanceDescription::Shown(const boost::shared_ptr<ICIMProperty>& property) {
    const TCIMValue& value = property->GetValue(kNoContext);
    TShown shown;
    try {
        if (!property->GetDeclaration(kNoContext)) {
            shown.fText = value.ToString();
            return shown;
        }
        const TCimHTTPProperty display{boost::shared_ptr<ICIMProperty const>(property)};
        shown.fIsArray = property->IsArray(kNoContext);
        if (!shown.fIsArray) {
            shown.fText = display.ToString();
        } else if (!value.IsNull()) {
            shown.fElements = display.ToStringVector();
        }
    } catch (const TQELException&) {
        shown = TShown();
        shown.fText = value.ToString();
    }
    return shown;
}

TJson TInstanceDescription::DisplayOf(const boost::shared_ptr<ICIMProperty>& property) {
    TShown shown = Shown(property);
    if (!shown.fIsArray) {
        return std::move(shown.fText);
    }
    return property->GetValue(kNoContext).IsNull() ? TJson(nullptr) : TJson(std::move(shown.fElements));
}

std::string TInstanceDescription::DisplayTextOf(const boost::shared_ptr<ICIMProperty>& property) {
    const TShown shown = Shown(property);
    return shown.fIsArray ? Joined(shown.fElements) : shown.fText;
}

}  // namespace NCimHTTPCli
