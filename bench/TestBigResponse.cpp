#include "TestBigResponse.h"

#include <cstdarg>
#include <cstdio>

namespace
{
const char* const TAGS[] = {"alpha", "beta", "gamma", "delta"};
const int CODE_VALUE_MAP[] = {0, 2, 3, 6};

void append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

void append(std::string& out, const char* format, ...)
{
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    const int size = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    out.append(buffer, static_cast<size_t>(size));
}

void appendProperty(std::string& out, const char* name, const char* type, const std::string& value)
{
    append(out, "<PROPERTY NAME=\"%s\"  TYPE=\"%s\">\n<VALUE>%s</VALUE>\n</PROPERTY>\n", name, type, value.c_str());
}

std::string format(const char* f, long long x)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, f, x);
    return buffer;
}

void appendInstance(std::string& out, int i, int count)
{
    append(out,
           "<VALUE.NAMEDINSTANCE>\n<INSTANCENAME CLASSNAME=\"Test_Big\">\n<KEYBINDING NAME=\"Index\">\n"
           "<KEYVALUE VALUETYPE=\"numeric\">%d</KEYVALUE>\n</KEYBINDING>\n<KEYBINDING NAME=\"InstanceID\">\n"
           "<KEYVALUE VALUETYPE=\"string\">TestBig:%05d</KEYVALUE>\n</KEYBINDING>\n</INSTANCENAME>\n"
           "<INSTANCE CLASSNAME=\"Test_Big\" >\n",
           i, i);
    appendProperty(out, "InstanceID", "string", format("TestBig:%05lld", i));
    appendProperty(out, "Index", "uint32", format("%lld", i));
    appendProperty(out, "Name", "string", format("big-%05lld", i));
    appendProperty(out, "Description", "string",
                   format("Benchmark instance number %lld of ", i) + std::to_string(count)
                       + ", generated for enumeration timing.");
    appendProperty(out, "Small", "uint8", format("%lld", i % 256));
    appendProperty(out, "Delta", "sint32", format("%lld", i - 5000));
    appendProperty(out, "Counter", "uint64", format("%lld", static_cast<long long>(i) * 1000003));
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, "%.16e", i / 7.0);
    appendProperty(out, "Ratio", "real64", ratio);
    appendProperty(out, "Flag", "boolean", i % 2 == 0 ? "TRUE" : "FALSE");
    char timestamp[32];
    std::snprintf(timestamp, sizeof timestamp, "202401%02d%02d%02d%02d.000000+000", 1 + i / 86400, i / 3600 % 24,
                  i / 60 % 60, i % 60);
    appendProperty(out, "Timestamp", "datetime", timestamp);
    out += "<PROPERTY.ARRAY NAME=\"Tags\"  TYPE=\"string\">\n<VALUE.ARRAY>\n";
    for (int t = 0; t <= i % 4; ++t)
        append(out, "<VALUE>%s</VALUE>\n", TAGS[t]);
    out += "</VALUE.ARRAY>\n</PROPERTY.ARRAY>\n<PROPERTY.ARRAY NAME=\"Codes\"  TYPE=\"uint16\">\n<VALUE.ARRAY>\n";
    append(out, "<VALUE>2</VALUE>\n<VALUE>%d</VALUE>\n", CODE_VALUE_MAP[i % 4]);
    out += "</VALUE.ARRAY>\n</PROPERTY.ARRAY>\n</INSTANCE>\n</VALUE.NAMEDINSTANCE>\n";
}
}

std::string testBigResponseBody(int count)
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<CIM CIMVERSION=\"2.0\" DTDVERSION=\"2.0\">\n"
        "<MESSAGE ID=\"1024\" PROTOCOLVERSION=\"1.0\">\n<SIMPLERSP>\n<IMETHODRESPONSE NAME=\"EnumerateInstances\">\n"
        "<IRETURNVALUE>\n";
    out.reserve(static_cast<size_t>(count) * 1460 + 256);
    for (int i = 0; i < count; ++i)
        appendInstance(out, i, count);
    out += "</IRETURNVALUE>\n</IMETHODRESPONSE>\n</SIMPLERSP>\n</MESSAGE>\n</CIM>\n";
    return out;
}

std::string testBigHttpResponse(const std::string& body)
{
    char length[16];
    std::snprintf(length, sizeof length, "%010zu", body.size());
    return std::string("HTTP/1.1 200 OK\r\nContent-Type: application/xml; charset=utf-8\r\ncontent-length: ") + length
        + "\r\nCIMOperation: MethodResponse\r\n\r\n" + body;
}
