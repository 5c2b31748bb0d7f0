// A small CIM client written against the OpenPegasus client API:
//   cimclient-example HOST PORT [--https] [--user NAME --password SECRET]
//                     [--namespace NS] [--class CLASS]
// It lists the class names of the namespace, shows the class and prints
// its instances. Like OpenPegasus's own samples it includes nothing but the
// two headers below and prints with cout.

#include <Pegasus/Common/Config.h>
#include <Pegasus/Client/CIMClient.h>

PEGASUS_USING_PEGASUS;
PEGASUS_USING_STD;

struct Options
{
    String host;
    Uint32 port = 0;
    Boolean https = false;
    String user;
    String password;
    String nameSpace = "root/cimv2";
    String className = "CIM_ComputerSystem";
};

// A decimal port number; false for anything else.
static Boolean parsePort(const char* text, Uint32& port)
{
    port = 0;
    for (; *text >= '0' && *text <= '9' && port <= 65535; text++)
        port = port * 10 + static_cast<Uint32>(*text - '0');
    return *text == 0 && port > 0 && port <= 65535;
}

static Boolean parseOptions(int argc, char** argv, Options& options)
{
    if (argc < 3 || !parsePort(argv[2], options.port))
        return false;
    options.host = argv[1];
    for (int i = 3; i < argc; ++i)
    {
        const String option = argv[i];
        const Boolean hasValue = i + 1 < argc;
        if (option == "--https")
            options.https = true;
        else if (option == "--user" && hasValue)
            options.user = argv[++i];
        else if (option == "--password" && hasValue)
            options.password = argv[++i];
        else if (option == "--namespace" && hasValue)
            options.nameSpace = argv[++i];
        else if (option == "--class" && hasValue)
            options.className = argv[++i];
        else
            return false;
    }
    return true;
}

static void printClass(const CIMConstClass& cimClass)
{
    cout << "class " << cimClass.getClassName().getString();
    if (!cimClass.getSuperClassName().isNull())
        cout << " : " << cimClass.getSuperClassName().getString();
    cout << endl;
    for (Uint32 i = 0; i < cimClass.getQualifierCount(); i++)
    {
        CIMConstQualifier q = cimClass.getQualifier(i);
        cout << "  [" << q.getName().getString() << " = " << q.getValue().toString() << "]" << endl;
    }
    for (Uint32 i = 0; i < cimClass.getPropertyCount(); i++)
    {
        CIMConstProperty p = cimClass.getProperty(i);
        cout << "  " << cimTypeToString(p.getType()) << (p.isArray() ? "[] " : " ") << p.getName().getString()
             << endl;
    }
    for (Uint32 i = 0; i < cimClass.getMethodCount(); i++)
    {
        CIMConstMethod m = cimClass.getMethod(i);
        cout << "  method " << m.getName().getString() << "()" << endl;
    }
}

static void printInstance(const CIMConstInstance& instance)
{
    cout << "instance " << instance.getPath().toString() << endl;
    for (Uint32 i = 0; i < instance.getPropertyCount(); i++)
    {
        CIMConstProperty p = instance.getProperty(i);
        const CIMValue& v = p.getValue();
        cout << "  " << p.getName().getString() << " = " << (v.isNull() ? String("NULL") : v.toString()) << endl;
    }
}

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options))
    {
        cerr << "usage: " << argv[0]
             << " HOST PORT [--https] [--user NAME --password SECRET] [--namespace NS] [--class CLASS]" << endl;
        return 2;
    }
    try
    {
        CIMClient client;
        client.setTimeout(10000);
        if (options.https)
            client.connect(options.host, options.port, SSLContext("", 0), options.user, options.password);
        else
            client.connect(options.host, options.port, options.user, options.password);

        const CIMNamespaceName nameSpace(options.nameSpace);
        Array<CIMName> names = client.enumerateClassNames(nameSpace, CIMName(), true);
        cout << names.size() << " classes" << endl;
        for (Uint32 i = 0; i < names.size(); i++)
            cout << "  " << names[i].getString() << endl;

        const CIMName className(options.className);
        printClass(client.getClass(nameSpace, className, false));

        Array<CIMInstance> instances = client.enumerateInstances(nameSpace, className);
        cout << instances.size() << " instances" << endl;
        for (Uint32 i = 0; i < instances.size(); i++)
            printInstance(instances[i]);
        client.disconnect();
    }
    catch (CIMException& e)
    {
        cerr << "CIM error " << cimStatusCodeToString(e.getCode()) << ": " << e.getMessage() << endl;
        return 1;
    }
    catch (Exception& e)
    {
        cerr << "error: " << e.getMessage() << endl;
        return 1;
    }
    return 0;
}
