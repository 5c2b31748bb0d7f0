// A small CIM client written against the OpenPegasus client API:
//   cimclient-example HOST PORT [--https] [--user NAME --password SECRET]
//                     [--namespace NS] [--class CLASS]
// It lists the class names of the namespace, shows the class and prints
// its instances.

#include <Pegasus/Common/Config.h>
#include <Pegasus/Client/CIMClient.h>
#include <cstdlib>
#include <cstring>
#include <iostream>

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

static Boolean parseOptions(int argc, char** argv, Options& options)
{
    if (argc < 3)
        return false;
    options.host = argv[1];
    options.port = static_cast<Uint32>(atoi(argv[2]));
    for (int i = 3; i < argc; ++i)
    {
        const Boolean hasValue = i + 1 < argc;
        if (strcmp(argv[i], "--https") == 0)
            options.https = true;
        else if (strcmp(argv[i], "--user") == 0 && hasValue)
            options.user = argv[++i];
        else if (strcmp(argv[i], "--password") == 0 && hasValue)
            options.password = argv[++i];
        else if (strcmp(argv[i], "--namespace") == 0 && hasValue)
            options.nameSpace = argv[++i];
        else if (strcmp(argv[i], "--class") == 0 && hasValue)
            options.className = argv[++i];
        else
            return false;
    }
    return true;
}

static void printClass(const CIMClass& cimClass)
{
    cout << "class " << cimClass.getClassName().getString();
    if (!cimClass.getSuperClassName().isNull())
        cout << " : " << cimClass.getSuperClassName().getString();
    cout << endl;
    for (Uint32 i = 0; i < cimClass.getQualifierCount(); i++)
    {
        CIMQualifier q = cimClass.getQualifier(i);
        cout << "  [" << q.getName().getString() << " = " << q.getValue().toString() << "]" << endl;
    }
    for (Uint32 i = 0; i < cimClass.getPropertyCount(); i++)
    {
        CIMProperty p = cimClass.getProperty(i);
        cout << "  " << cimTypeToString(p.getType()) << (p.isArray() ? "[] " : " ") << p.getName().getString()
             << endl;
    }
    for (Uint32 i = 0; i < cimClass.getMethodCount(); i++)
        cout << "  method " << cimClass.getMethod(i).getName().getString() << "()" << endl;
}

static void printInstance(const CIMInstance& instance)
{
    cout << "instance " << instance.getPath().toString() << endl;
    for (Uint32 i = 0; i < instance.getPropertyCount(); i++)
    {
        CIMProperty p = instance.getProperty(i);
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
            client.connect(options.host, options.port, SSLContext("", NULL), options.user, options.password);
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
