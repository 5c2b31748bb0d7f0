#include "MofSchema.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace cimhttp_test {

namespace {

struct Token {
    enum Kind { eWord, eString, ePunct, eEnd } kind;
    std::string text;
};

class MofTokens {
public:
    explicit MofTokens(std::string text) : fText(std::move(text)), fPos(0) { Advance(); }

    const Token& Peek() const { return fCurrent; }
    Token Next()
    {
        Token token = fCurrent;
        Advance();
        return token;
    }
    bool Accept(const std::string& punct)
    {
        if (fCurrent.kind != Token::ePunct || fCurrent.text != punct)
            return false;
        Advance();
        return true;
    }
    void Expect(const std::string& punct)
    {
        if (!Accept(punct))
            throw std::runtime_error("MOF: '" + punct + "' expected before '" + fCurrent.text + "'");
    }
    std::string Word()
    {
        if (fCurrent.kind != Token::eWord)
            throw std::runtime_error("MOF: a name expected before '" + fCurrent.text + "'");
        return Next().text;
    }

private:
    void SkipSpaceAndComments()
    {
        for (;;) {
            while (fPos < fText.size() && std::isspace(static_cast<unsigned char>(fText[fPos])))
                ++fPos;
            if (fText.compare(fPos, 2, "//") == 0)
                fPos = fText.find('\n', fPos) == std::string::npos ? fText.size() : fText.find('\n', fPos);
            else if (fText.compare(fPos, 2, "/*") == 0)
                fPos = fText.find("*/", fPos) + 2;
            else
                return;
        }
    }

    void Advance()
    {
        SkipSpaceAndComments();
        if (fPos >= fText.size()) {
            fCurrent = Token{Token::eEnd, ""};
        } else if (fText[fPos] == '"') {
            fCurrent = Token{Token::eString, QuotedString()};
        } else if (std::string("[](){},;:=").find(fText[fPos]) != std::string::npos) {
            fCurrent = Token{Token::ePunct, std::string(1, fText[fPos++])};
        } else {
            const std::size_t start = fPos;
            while (fPos < fText.size() && (std::isalnum(static_cast<unsigned char>(fText[fPos])) ||
                                           std::string("_.+-").find(fText[fPos]) != std::string::npos))
                ++fPos;
            if (start == fPos)
                throw std::runtime_error(std::string("MOF: unexpected character '") + fText[fPos] + "'");
            fCurrent = Token{Token::eWord, fText.substr(start, fPos - start)};
        }
    }

    std::string QuotedString()
    {
        std::string value;
        for (++fPos; fPos < fText.size() && fText[fPos] != '"'; ++fPos) {
            if (fText[fPos] == '\\' && fPos + 1 < fText.size()) {
                const char escaped = fText[++fPos];
                value += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
            } else {
                value += fText[fPos];
            }
        }
        ++fPos;
        return value;
    }

    std::string fText;
    std::size_t fPos;
    Token fCurrent;
};

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A string (adjacent strings joined), a number or a boolean.
std::string ReadValue(MofTokens& tokens)
{
    if (tokens.Peek().kind == Token::eString) {
        std::string joined;
        while (tokens.Peek().kind == Token::eString)
            joined += tokens.Next().text;
        return joined;
    }
    const std::string word = tokens.Word();
    const std::string upper = Upper(word);
    return upper == "TRUE" || upper == "FALSE" ? upper : word;
}

MofQualifier ReadQualifier(MofTokens& tokens)
{
    MofQualifier qualifier;
    qualifier.name = tokens.Word();
    if (tokens.Accept("(")) {
        qualifier.values.push_back(ReadValue(tokens));
        tokens.Expect(")");
    } else if (tokens.Accept("{")) {
        qualifier.isArray = true;
        do
            qualifier.values.push_back(ReadValue(tokens));
        while (tokens.Accept(","));
        tokens.Expect("}");
    } else {
        qualifier.values.push_back("TRUE");
    }
    return qualifier;
}

std::vector<MofQualifier> ReadQualifiers(MofTokens& tokens)
{
    std::vector<MofQualifier> qualifiers;
    if (!tokens.Accept("["))
        return qualifiers;
    do
        qualifiers.push_back(ReadQualifier(tokens));
    while (tokens.Accept(","));
    tokens.Expect("]");
    return qualifiers;
}

// Qualifiers, a type ("Class REF" for a reference) and a name, with "[]"
// after the name for an array.
MofTyped ReadTyped(MofTokens& tokens)
{
    MofTyped typed;
    typed.qualifiers = ReadQualifiers(tokens);
    typed.type = tokens.Word();
    typed.name = tokens.Word();
    if (typed.name == "REF") {
        typed.type = "reference";
        typed.name = tokens.Word();
    }
    if (tokens.Accept("[")) {
        tokens.Expect("]");
        typed.isArray = true;
    }
    return typed;
}

void ReadFeature(MofTokens& tokens, MofClass& cls)
{
    MofTyped typed = ReadTyped(tokens);
    if (tokens.Accept("(")) {
        MofMethod method;
        static_cast<MofTyped&>(method) = typed;
        if (!tokens.Accept(")")) {
            do
                method.parameters.push_back(ReadTyped(tokens));
            while (tokens.Accept(","));
            tokens.Expect(")");
        }
        cls.methods.push_back(method);
    } else {
        MofProperty property;
        static_cast<MofTyped&>(property) = typed;
        if (tokens.Accept("="))
            property.defaultValue = ReadValue(tokens);
        cls.properties.push_back(property);
    }
    tokens.Expect(";");
}

MofClass ReadClass(MofTokens& tokens)
{
    MofClass cls;
    cls.qualifiers = ReadQualifiers(tokens);
    if (tokens.Word() != "class")
        throw std::runtime_error("MOF: only class declarations are read");
    cls.name = tokens.Word();
    if (tokens.Accept(":"))
        cls.superClass = tokens.Word();
    tokens.Expect("{");
    while (!tokens.Accept("}"))
        ReadFeature(tokens, cls);
    tokens.Expect(";");
    return cls;
}

}  // namespace

std::vector<MofClass> ReadMofClasses(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("MOF: cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    MofTokens tokens(text.str());
    std::vector<MofClass> classes;
    while (tokens.Peek().kind != Token::eEnd)
        classes.push_back(ReadClass(tokens));
    return classes;
}

}  // namespace cimhttp_test
