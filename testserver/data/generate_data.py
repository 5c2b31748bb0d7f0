#!/usr/bin/env python3
"""Writes the CIM-XML data files of the test CIMOM.

The capture data set is taken from the captured OpenPegasus exchanges: the
local class definitions come from the GetClass LocalOnly=true answers, the
stored instances from the deep EnumerateInstances answers, the qualifier
declarations and the root/test classes from the MOF next to them.  The demo
data set is described below and written in the same form.

Usage: generate_data.py <cimxml capture directory> <output directory>
"""
import re
import sys
from pathlib import Path
from xml.sax.saxutils import escape

HEADER = '<?xml version="1.0" encoding="utf-8" ?>\n<CIM CIMVERSION="2.0" DTDVERSION="2.0">\n<DECLARATION>\n<DECLGROUP>\n'
FOOTER = '</DECLGROUP>\n</DECLARATION>\n</CIM>\n'


def write_declaration(path, body):
    path.write_text(HEADER + body + FOOTER, encoding='utf-8')


def attr(text):
    return escape(text, {'"': '&quot;'})


# ----------------------------------------------------------------- qualifiers
def parse_qualifier_mof(text):
    decls = []
    for m in re.finditer(r'Qualifier\s+(\w+)\s*:\s*(\w+)(\[\])?\s*(?:=\s*([^,]+?))?\s*,\s*'
                         r'Scope\(([^)]*)\)\s*(?:,\s*Flavor\(([^)]*)\))?\s*;', text, re.S):
        name, ctype, array, default, scope, flavor = m.groups()
        decls.append({
            'name': name, 'type': ctype, 'array': bool(array),
            'default': None if default in (None, 'null') else default.strip().strip('"'),
            'scope': [s.strip().upper() for s in scope.split(',')],
            'flavor': [f.strip() for f in (flavor or '').split(',') if f.strip()],
        })
    return decls


def flavor_attrs(flavors):
    out = ''
    if 'DisableOverride' in flavors:
        out += ' OVERRIDABLE="false"'
    if 'Restricted' in flavors:
        out += ' TOSUBCLASS="false"'
    if 'Translatable' in flavors:
        out += ' TRANSLATABLE="true"'
    return out


def qualifier_declaration(d):
    scope = ''.join(f' {s}="true"' for s in d['scope'] if s != 'ANY')
    if 'ANY' in d['scope']:
        scope = ' CLASS="true" ASSOCIATION="true" REFERENCE="true" PROPERTY="true" METHOD="true"' \
                ' PARAMETER="true" INDICATION="true"'
    value = ''
    if d['default'] is not None:
        text = d['default'].upper() if d['type'] == 'boolean' else d['default']
        value = f'<VALUE>{escape(text)}</VALUE>\n'
    isarray = 'true' if d['array'] else 'false'
    return (f'<QUALIFIER.DECLARATION NAME="{d["name"]}" TYPE="{d["type"]}" ISARRAY="{isarray}"'
            f'{flavor_attrs(d["flavor"])}>\n<SCOPE{scope}/>\n{value}</QUALIFIER.DECLARATION>\n')


# ------------------------------------------------------------ class emission
class Schema:
    """Emits class declarations in the layout the captured server uses."""

    def __init__(self, decls):
        self.decls = {d['name'].lower(): d for d in decls}

    def qualifier(self, name, value):
        decl = self.decls[name.lower()]
        flavors = flavor_attrs(decl['flavor'])
        if isinstance(value, list):
            items = ''.join(f'<VALUE>{escape(v)}</VALUE>\n' for v in value)
            body = f'<VALUE.ARRAY>\n{items}</VALUE.ARRAY>\n'
        else:
            text = ('TRUE' if value else 'FALSE') if isinstance(value, bool) else str(value)
            body = f'<VALUE>{escape(text)}</VALUE>\n'
        return f'<QUALIFIER NAME="{decl["name"]}" TYPE="{decl["type"]}"{flavors}>\n{body}</QUALIFIER>\n'

    def qualifiers(self, quals):
        return ''.join(self.qualifier(n, v) for n, v in quals)

    def property(self, p):
        name, ctype, quals = p['name'], p['type'], self.qualifiers(p.get('q', []))
        default = p.get('default')
        if ctype.endswith(' REF'):
            return (f'<PROPERTY.REFERENCE NAME="{name}"  REFERENCECLASS="{ctype[:-4]}">\n'
                    f'{quals}</PROPERTY.REFERENCE>\n')
        if ctype.endswith('[]'):
            return (f'<PROPERTY.ARRAY NAME="{name}"  TYPE="{ctype[:-2]}">\n{quals}</PROPERTY.ARRAY>\n')
        value = f'<VALUE>{escape(str(default))}</VALUE>\n' if default is not None else ''
        return f'<PROPERTY NAME="{name}"  TYPE="{ctype}">\n{quals}{value}</PROPERTY>\n'

    def parameter(self, p):
        name, ctype, quals = p['name'], p['type'], self.qualifiers(p.get('q', []))
        if ctype.endswith(' REF[]'):
            return (f'<PARAMETER.REFARRAY NAME="{name}" REFERENCECLASS="{ctype[:-6]}">\n{quals}'
                    f'</PARAMETER.REFARRAY>\n')
        if ctype.endswith(' REF'):
            return (f'<PARAMETER.REFERENCE NAME="{name}" REFERENCECLASS="{ctype[:-4]}">\n{quals}'
                    f'</PARAMETER.REFERENCE>\n')
        if ctype.endswith('[]'):
            return f'<PARAMETER.ARRAY NAME="{name}" TYPE="{ctype[:-2]}">\n{quals}</PARAMETER.ARRAY>\n'
        return f'<PARAMETER NAME="{name}" TYPE="{ctype}">\n{quals}</PARAMETER>\n'

    def method(self, m):
        params = ''.join(self.parameter(p) for p in m.get('params', []))
        return (f'<METHOD NAME="{m["name"]}" TYPE="{m["type"]}">\n'
                f'{self.qualifiers(m.get("q", []))}{params}</METHOD>\n')

    def cls(self, c):
        sup = f'  SUPERCLASS="{c["super"]}" ' if c.get('super') else ' '
        body = self.qualifiers(c.get('q', []))
        body += ''.join(self.property(p) for p in c.get('props', []))
        body += ''.join(self.method(m) for m in c.get('methods', []))
        return f'<VALUE.OBJECT>\n<CLASS NAME="{c["name"]}"{sup}>\n{body}</CLASS>\n</VALUE.OBJECT>\n'


# ------------------------------------------------------------ capture set
def between(text, start_tag, end_tag):
    return re.findall(re.escape(start_tag) + r'.*?' + re.escape(end_tag), text, re.S)


def response_body(path):
    text = path.read_bytes().decode('utf-8')
    return text.split('\r\n\r\n', 1)[1]


def capture_classes(cimxml, mof):
    names = re.findall(r'^class (\w+)', mof, re.M)
    out = ''
    for name in names:
        body = response_body(cimxml / f'GetClass-{name}-LocalOnlyTrue.response.txt')
        out += '<VALUE.OBJECT>\n' + between(body, '<CLASS ', '</CLASS>')[0] + '\n</VALUE.OBJECT>\n'
    return out


def capture_instances(cimxml, mof):
    order = re.findall(r'^class (\w+)', mof, re.M)
    by_class = {}
    for root in ('CIM_ManagedElement', 'CIM_Component', 'CIM_Dependency'):
        body = response_body(cimxml / f'EnumerateInstances-{root}-DeepInheritanceTrue.response.txt')
        for inst in between(body, '<INSTANCE ', '</INSTANCE>'):
            cls = re.match(r'<INSTANCE CLASSNAME="(\w+)"', inst).group(1)
            by_class.setdefault(cls, []).append(inst)
    return ''.join(f'<VALUE.OBJECT>\n{inst}\n</VALUE.OBJECT>\n'
                   for cls in order for inst in by_class.get(cls, []))


def test_classes(schema):
    big = {'name': 'Test_Big', 'q': [('Version', '1.0.0'), ('Description',
           'Benchmark class with mixed property types (two keys).')], 'props': [
        {'name': 'InstanceID', 'type': 'string', 'q': [('Key', True), ('Description', 'String key.'),
                                                        ('MaxLen', 64)]},
        {'name': 'Index', 'type': 'uint32', 'q': [('Key', True),
                                                  ('Description', 'Numeric key (0-based index).')]},
        {'name': 'Name', 'type': 'string', 'q': [('Description', 'Short name.')]},
        {'name': 'Description', 'type': 'string',
         'q': [('Description', 'Longer free text (about 60-80 characters).')]},
        {'name': 'Small', 'type': 'uint8', 'q': [('Description', 'Small unsigned value (Index mod 256).')]},
        {'name': 'Delta', 'type': 'sint32', 'q': [('Description', 'Signed value (Index - 5000).')]},
        {'name': 'Counter', 'type': 'uint64', 'q': [('Description', 'Large counter (Index * 1000003).'),
                                                    ('Units', 'Bytes')]},
        {'name': 'Ratio', 'type': 'real64', 'q': [('Description', 'Real value (Index / 7).')]},
        {'name': 'Flag', 'type': 'boolean', 'q': [('Description', 'Flag (true for even Index).')]},
        {'name': 'Timestamp', 'type': 'datetime', 'q': [('Description', 'Timestamp.')]},
        {'name': 'Tags', 'type': 'string[]', 'q': [('Description', 'Tag list (1 to 4 entries).')]},
        {'name': 'Codes', 'type': 'uint16[]', 'q': [('Description', 'Status codes.'),
                                                    ('ValueMap', ['0', '2', '3', '6']),
                                                    ('Values', ['Unknown', 'OK', 'Degraded', 'Error'])]},
    ]}
    empty = {'name': 'Test_Empty', 'q': [('Version', '1.0.0'), ('Description', 'Class that never has instances.')],
             'props': [{'name': 'InstanceID', 'type': 'string', 'q': [('Key', True), ('Description', 'Key.')]}]}
    return schema.cls(empty) + schema.cls(big)


def sample_provider_class(schema):
    return schema.cls({
        'name': 'Sample_MethodProviderClass', 'q': [('Description', 'Sample method provider class.')],
        'props': [{'name': 'Identifier', 'type': 'uint8', 'q': [('Key', True)]}],
        'methods': [{'name': 'SayHello', 'type': 'string', 'params': [
            {'name': 'Name', 'type': 'string', 'q': [('In', True)]},
            {'name': 'place', 'type': 'string', 'q': [('In', False), ('Out', True)]},
        ]}],
    })


# ------------------------------------------------------------ demo set
def d(text):
    return ('Description', text)


def key_string(name, text):
    return {'name': name, 'type': 'string', 'q': [('Key', True), d(text), ('MaxLen', 256)]}


DEMO_CLASSES = [
    {'name': 'VORN_ComputerSystem', 'super': 'CIM_ComputerSystem',
     'q': [('Version', '1.2.0'), d('A managed server of the VORN product line.')],
     'props': [
         {'name': 'ElementName', 'type': 'string', 'q': [('Override', 'ElementName'),
                                                         d('Host name shown to operators.')]},
         {'name': 'PrimaryOwnerContact', 'type': 'string', 'q': [d('How to reach the owner.')]},
         {'name': 'BootTime', 'type': 'datetime', 'q': [d('When the system was last started.')]},
         {'name': 'LastBootDuration', 'type': 'uint32', 'q': [d('Length of the last start-up.'),
                                                              ('Units', 'MilliSeconds')]},
     ],
     'methods': [{'name': 'Ping', 'type': 'uint32',
                  'q': [d('Checks that the management controller answers.'), ('ValueMap', ['0', '1']),
                        ('Values', ['Success', 'Failed'])],
                  'params': [
                      {'name': 'Target', 'type': 'string', 'q': [('In', True), d('Address to ping.')]},
                      {'name': 'RoundTripTime', 'type': 'uint32',
                       'q': [('In', False), ('Out', True), d('Measured round trip.'),
                             ('Units', 'MilliSeconds')]},
                  ]}]},
    {'name': 'VORN_Memory', 'super': 'CIM_LogicalDevice',
     'q': [('Version', '1.0.0'), d('A memory module.')],
     'props': [
         {'name': 'Capacity', 'type': 'uint64', 'q': [d('Capacity of the module.'), ('Units', 'KiloBytes')]},
         {'name': 'BlockSize', 'type': 'uint64', 'q': [d('Size of one block.'), ('Units', 'Bytes')]},
         {'name': 'Speed', 'type': 'uint32', 'q': [d('Clock of the module.'), ('Units', 'MegaHertz')]},
         {'name': 'MemoryType', 'type': 'uint16', 'q': [d('Kind of memory.'),
                                                        ('ValueMap', ['0', '1', '24', '26', '..', '0x8000..']),
                                                        ('Values', ['Unknown', 'Other', 'DDR3', 'DDR4',
                                                                    'DMTF Reserved', 'Vendor Reserved'])]},
     ]},
    {'name': 'VORN_NetworkPort', 'super': 'CIM_LogicalDevice',
     'q': [('Version', '1.0.0'), d('A network port of the system.')],
     'props': [
         {'name': 'Speed', 'type': 'uint64', 'q': [d('Current bandwidth.'), ('Units', 'MegaBits per Second')]},
         {'name': 'Latency', 'type': 'uint32', 'q': [d('Average latency.'), ('Units', 'MilliSeconds')]},
         {'name': 'DuplexIndicator', 'type': 'char16', 'q': [d('F for full duplex, H for half duplex.')]},
         {'name': 'LinkUpTime', 'type': 'datetime', 'q': [d('How long the link has been up (interval).')]},
         {'name': 'NetworkAddresses', 'type': 'string[]', 'q': [d('Addresses of the port.')]},
         {'name': 'LinkTechnology', 'type': 'uint16', 'q': [d('Link technology.'),
                                                            ('ValueMap', ['0', '1', '2', '..']),
                                                            ('Values', ['Unknown', 'Other', 'Ethernet',
                                                                        'DMTF Reserved'])]},
         {'name': 'PacketCounts', 'type': 'uint64[]', 'q': [d('Packets sent and received.')]},
     ]},
    {'name': 'VORN_RemoteNode', 'super': 'CIM_LogicalElement',
     'q': [('Version', '1.0.0'), d('A node of a multi-node system as seen from this node.')],
     'props': [
         key_string('CreationClassName', 'Name of the class used to create the instance.'),
         {'name': 'Name', 'type': 'string', 'q': [('Key', True), ('Override', 'Name'), d('Node name.'),
                                                  ('MaxLen', 256)]},
         {'name': 'NodeID', 'type': 'uint16', 'q': [d('Number of the node (1-based).')]},
         {'name': 'Address', 'type': 'string', 'q': [d('Management address of the node.')]},
         {'name': 'NodeState', 'type': 'uint16', 'q': [d('State of the node.'), ('ValueMap', ['0', '2', '3']),
                                                       ('Values', ['Unknown', 'Online', 'Offline'])]},
     ]},
    {'name': 'VORN_HostedRemoteNode', 'super': 'CIM_Dependency',
     'q': [('Association', True), ('Version', '1.0.0'), d('Ties a remote node to the system it belongs to.')],
     'props': [
         {'name': 'Antecedent', 'type': 'CIM_ComputerSystem REF', 'q': [('Override', 'Antecedent'),
                                                                       d('The system.')]},
         {'name': 'Dependent', 'type': 'VORN_RemoteNode REF', 'q': [('Override', 'Dependent'),
                                                                   d('The node.')]},
     ]},
]


def value_xml(v):
    if isinstance(v, bool):
        return f'<VALUE>{"TRUE" if v else "FALSE"}</VALUE>\n'
    return f'<VALUE>{escape(str(v))}</VALUE>\n'


def instance_xml(cls, props):
    body = ''
    for name, ctype, value in props:
        if ctype.endswith(' REF'):
            body += (f'<PROPERTY.REFERENCE NAME="{name}"  REFERENCECLASS="{ctype[:-4]}">\n'
                     f'<VALUE.REFERENCE>\n{value}</VALUE.REFERENCE>\n</PROPERTY.REFERENCE>\n')
        elif ctype.endswith('[]'):
            items = ''.join(value_xml(v) for v in value)
            body += (f'<PROPERTY.ARRAY NAME="{name}"  TYPE="{ctype[:-2]}">\n<VALUE.ARRAY>\n{items}'
                     f'</VALUE.ARRAY>\n</PROPERTY.ARRAY>\n')
        elif value is None:
            body += f'<PROPERTY NAME="{name}"  TYPE="{ctype}">\n</PROPERTY>\n'
        else:
            body += f'<PROPERTY NAME="{name}"  TYPE="{ctype}">\n{value_xml(value)}</PROPERTY>\n'
    return f'<VALUE.OBJECT>\n<INSTANCE CLASSNAME="{cls}" >\n{body}</INSTANCE>\n</VALUE.OBJECT>\n'


def instance_name(cls, keys):
    bindings = ''.join(f'<KEYBINDING NAME="{k}">\n<KEYVALUE VALUETYPE="{t}">{escape(str(v))}</KEYVALUE>\n'
                       f'</KEYBINDING>\n' for k, t, v in sorted(keys, key=lambda k: k[0].lower()))
    return f'<INSTANCENAME CLASSNAME="{cls}">\n{bindings}</INSTANCENAME>\n'


HOST = 'vorn-demo01.example.test'
HOST_REF = instance_name('VORN_ComputerSystem', [('CreationClassName', 'string', 'VORN_ComputerSystem'),
                                                 ('Name', 'string', HOST)])


def device_keys(cls, device_id):
    return [('SystemCreationClassName', 'string', 'VORN_ComputerSystem'), ('SystemName', 'string', HOST),
            ('CreationClassName', 'string', cls), ('DeviceID', 'string', device_id)]


def device(cls, device_id, caption, extra):
    props = [(k, 'string', v) for k, _, v in device_keys(cls, device_id)]
    props += [('Caption', 'string', caption), ('HealthState', 'uint16', 5), ('EnabledState', 'uint16', 2),
              ('OperationalStatus', 'uint16[]', [2])]
    return instance_xml(cls, props + extra)


def system_device(cls, device_id):
    return instance_xml('CIM_SystemDevice', [
        ('GroupComponent', 'CIM_System REF', HOST_REF),
        ('PartComponent', 'CIM_LogicalDevice REF', instance_name(cls, device_keys(cls, device_id)))])


def log_entry(number, message, severity, is_local):
    props = [('InstanceID', 'string', f'VORN:Log:1:{number:010d}'), ('LogInstanceID', 'string', 'VORN:Log:1'),
             ('LogName', 'string', 'System Event Log'), ('RecordID', 'string', str(number)),
             ('CreationTimeStamp', 'datetime', f'202403150{number}1500.000000+000'),
             ('MessageID', 'string', f'VORN{number:04d}'), ('Message', 'string', message),
             ('PerceivedSeverity', 'uint16', severity), ('SequenceNumber', 'uint64', number),
             ('UtcOffsetMinutes', 'sint16', 60)]
    if is_local is not None:
        props.append(('IsLocalEvent', 'boolean', is_local))
    return instance_xml('VORN_StandardMessageLogEntry', props)


def remote_node(number, state):
    name = f'vorn-node{number}'
    return instance_xml('VORN_RemoteNode', [
        ('CreationClassName', 'string', 'VORN_RemoteNode'), ('Name', 'string', name),
        ('NodeID', 'uint16', number), ('Address', 'string', f'127.0.0.{number}'), ('NodeState', 'uint16', state),
        ('ElementName', 'string', f'Node {number}')]) + instance_xml('VORN_HostedRemoteNode', [
            ('Antecedent', 'CIM_ComputerSystem REF', HOST_REF),
            ('Dependent', 'VORN_RemoteNode REF', instance_name('VORN_RemoteNode', [
                ('CreationClassName', 'string', 'VORN_RemoteNode'), ('Name', 'string', name)]))])


def slot(number, designation):
    return instance_xml('OMC_ProcessorSlot', [
        ('Tag', 'string', f'Socket {number}'), ('CreationClassName', 'string', 'OMC_ProcessorSlot'),
        ('Number', 'uint16', number), ('SocketDesignation', 'string', designation),
        ('Manufacturer', 'string', 'VORN Systems'), ('HotSwappable', 'boolean', False),
        ('MaxDataWidth', 'uint16', 64), ('ConnectorType', 'uint16[]', [3]),
        ('ElementName', 'string', f'Processor socket {number}'), ('OperationalStatus', 'uint16[]', [2])])


def demo_instances():
    out = instance_xml('VORN_ComputerSystem', [
        ('CreationClassName', 'string', 'VORN_ComputerSystem'), ('Name', 'string', HOST),
        ('Caption', 'string', 'VORN demo server'), ('ElementName', 'string', 'vorn-demo01'),
        ('Description', 'string', 'Demo inventory of a two-socket server'),
        ('OperationalStatus', 'uint16[]', [2]), ('StatusDescriptions', 'string[]', ['OK']),
        ('HealthState', 'uint16', 5), ('EnabledState', 'uint16', 2), ('Roles', 'string[]', ['Server']),
        ('Dedicated', 'uint16[]', [0]), ('TotalMemory', 'uint64', 274877906944),
        ('UpTime', 'datetime', '00000042061530.000000:000'),
        ('BootTime', 'datetime', '20240310081500.000000+060'), ('LastBootDuration', 'uint32', 95250)])
    for n in (0, 1):
        out += device('CIM_Processor', f'CPU{n}', f'CPU socket {n}', [
            ('Role', 'string', 'Central Processor'), ('Family', 'uint16', 179),
            ('MaxClockSpeed', 'uint32', 3600), ('CurrentClockSpeed', 'uint32', 2900 - 400 * n),
            ('LoadPercentage', 'uint16', 12 + 30 * n), ('Temperature', 'real32', f'{44.5 + n:.7e}'),
            ('PowerOnHours', 'uint64', 18250)])
        out += slot(n, f'CPU{n + 1}')
    for n in range(4):
        out += device('VORN_Memory', f'DIMM{n}', f'DIMM slot {n}', [
            ('Capacity', 'uint64', 67108864), ('BlockSize', 'uint64', 4096), ('Speed', 'uint32', 3200),
            ('MemoryType', 'uint16', 26)])
    out += device('VORN_NetworkPort', 'eth0', 'Onboard port 1', [
        ('Speed', 'uint64', 10000), ('Latency', 'uint32', 2), ('DuplexIndicator', 'char16', 'F'),
        ('LinkUpTime', 'datetime', '00000003120000.000000:000'),
        ('NetworkAddresses', 'string[]', ['192.0.2.10', 'fe80::10']), ('LinkTechnology', 'uint16', 2),
        ('PacketCounts', 'uint64[]', [1234567890, 987654321])])
    out += device('VORN_NetworkPort', 'eth1', 'Onboard port 2', [
        ('Speed', 'uint64', 1000), ('Latency', 'uint32', 15), ('DuplexIndicator', 'char16', 'H'),
        ('LinkTechnology', 'uint16', 2)])
    for cls, dev in [('CIM_Processor', 'CPU0'), ('CIM_Processor', 'CPU1'), ('VORN_Memory', 'DIMM0'),
                     ('VORN_Memory', 'DIMM1'), ('VORN_Memory', 'DIMM2'), ('VORN_Memory', 'DIMM3'),
                     ('VORN_NetworkPort', 'eth0'), ('VORN_NetworkPort', 'eth1')]:
        out += system_device(cls, dev)
    out += remote_node(1, 2) + remote_node(2, 2)
    out += instance_xml('CIM_SoftwareIdentity', [
        ('InstanceID', 'string', 'VORN:BIOS:demo01'), ('Name', 'string', 'System BIOS'),
        ('VersionString', 'string', '3.1.7'), ('MajorVersion', 'uint16', 3), ('MinorVersion', 'uint16', 1),
        ('RevisionNumber', 'uint16', 7), ('Manufacturer', 'string', 'VORN Systems'),
        ('Classifications', 'uint16[]', [11]), ('IsEntity', 'boolean', True),
        ('ReleaseDate', 'datetime', '20231120000000.000000+000')])
    out += log_entry(1, 'Power supply 1 <PSU1> restored & OK', 2, True)
    out += log_entry(2, 'Fan 3 speed below threshold on a peer node', 4, False)
    out += log_entry(3, 'Firmware update staged', 2, None)
    out += log_entry(4, 'Memory error corrected on DIMM2', 3, True)
    return out


# ------------------------------------------------------------ method test set
# Methods with parameters of every CIM type, on instances whose keys are of
# every key type (string with quotes, backslashes and non-ASCII text,
# integers at their limits, boolean, references).
SCALARS = [('Boolean', 'boolean'), ('Uint8', 'uint8'), ('Sint8', 'sint8'), ('Uint16', 'uint16'),
           ('Sint16', 'sint16'), ('Uint32', 'uint32'), ('Sint32', 'sint32'), ('Uint64', 'uint64'),
           ('Sint64', 'sint64'), ('Real32', 'real32'), ('Real64', 'real64'), ('Char16', 'char16'),
           ('String', 'string')]
ECHO_SCALARS = SCALARS + [('Timestamp', 'datetime'), ('Interval', 'datetime'),
                          ('Reference', 'VORN_MethodTest REF')]
ECHO_ARRAYS = [(name + 'Array', ctype + '[]') for name, ctype in SCALARS] + [
    ('DatetimeArray', 'datetime[]'), ('ReferenceArray', 'VORN_MethodTest REF[]')]
MAX_DELAY_MS = 10000


def in_param(name, ctype, text, *quals):
    return {'name': name, 'type': ctype, 'q': [('In', True)] + list(quals) + [d(text)]}


def out_param(name, ctype, text, *quals):
    return {'name': name, 'type': ctype, 'q': [('In', False), ('Out', True)] + list(quals) + [d(text)]}


def echo_method(name, return_type, text, params, extra_out=()):
    inputs = [in_param('In' + p, t, 'Value to echo.') for p, t in params]
    outputs = [out_param('Out' + p, t, f'In{p} as the server received it.') for p, t in params]
    return {'name': name, 'type': return_type, 'q': [d(text), ('Static', True)],
            'params': inputs + outputs + list(extra_out)}


def identify_method(cls):
    return {'name': 'Identify', 'type': 'string',
            'q': [d('Returns the ElementName of the instance it is invoked on.')],
            'params': [out_param('Self', f'{cls} REF', 'The path of the instance.')]}


METHOD_TEST_CLASSES = [
    {'name': 'VORN_MethodTest', 'q': [('Version', '1.0.0'), d('Extrinsic methods to test method calls with.')],
     'props': [
         key_string('Name', 'String key.'),
         {'name': 'Number', 'type': 'uint64', 'q': [('Key', True), d('Unsigned integer key.')]},
         {'name': 'Offset', 'type': 'sint32', 'q': [('Key', True), d('Signed integer key.')]},
         {'name': 'Active', 'type': 'boolean', 'q': [('Key', True), d('Boolean key.')]},
         {'name': 'ElementName', 'type': 'string', 'q': [d('Name of the instance.')]},
     ],
     'methods': [
         echo_method('EchoScalars', 'string', 'Returns each input in the output of the same type; the return '
                     'value lists the inputs as the server read them, in canonical form.', ECHO_SCALARS),
         echo_method('EchoArrays', 'uint32', 'Returns each input array in the output of the same type and '
                     'the number of elements received.', ECHO_ARRAYS,
                     [out_param('Summary', 'string', 'The inputs as the server read them, in canonical form.')]),
         {'name': 'Fail', 'type': 'uint32', 'q': [d('Fails with the CIM status Code; 0 succeeds.'), ('Static', True)],
          'params': [in_param('Code', 'uint32', 'CIM status code to fail with.', ('Required', True)),
                     in_param('Message', 'string', 'Text of the error.')]},
         {'name': 'Delay', 'type': 'uint32', 'q': [d(f'Answers after Milliseconds (at most {MAX_DELAY_MS}).'),
                                                   ('Static', True)],
          'params': [in_param('Milliseconds', 'uint32', 'How long to wait.', ('Required', True),
                              ('Units', 'MilliSeconds')),
                     out_param('Delayed', 'uint32', 'How long the answer was held back.', ('Units', 'MilliSeconds'))]},
         identify_method('VORN_MethodTest'),
     ]},
    {'name': 'VORN_MethodTestLink',
     'q': [('Association', True), ('Version', '1.0.0'), d('Ties two method test instances (reference keys).')],
     'props': [
         {'name': 'Antecedent', 'type': 'VORN_MethodTest REF', 'q': [('Key', True), d('The first instance.')]},
         {'name': 'Dependent', 'type': 'VORN_MethodTest REF', 'q': [('Key', True), d('The second instance.')]},
         {'name': 'ElementName', 'type': 'string', 'q': [d('Name of the link.')]},
     ],
     'methods': [identify_method('VORN_MethodTestLink')]},
]

METHOD_TESTS = [
    ('esx02 äöü €', 1, -1, True, 'First'),
    ('esx "quoted" C:\\vm\\disk, a=b äöü €', 18446744073709551615, -2147483648, False, 'Second'),
    ('plain.example.test', 0, 2147483647, True, 'Third'),
]


def method_test_name(number):
    name, num, offset, active, _ = METHOD_TESTS[number]
    return instance_name('VORN_MethodTest', [('Name', 'string', name), ('Number', 'numeric', num),
                                             ('Offset', 'numeric', offset),
                                             ('Active', 'boolean', 'TRUE' if active else 'FALSE')])


def method_test_instances():
    out = ''.join(instance_xml('VORN_MethodTest', [
        ('Name', 'string', name), ('Number', 'uint64', num), ('Offset', 'sint32', offset),
        ('Active', 'boolean', active), ('ElementName', 'string', element)])
        for name, num, offset, active, element in METHOD_TESTS)
    for first, second, element in [(0, 1, 'First to second'), (1, 2, 'Second to third')]:
        out += instance_xml('VORN_MethodTestLink', [
            ('Antecedent', 'VORN_MethodTest REF', method_test_name(first)),
            ('Dependent', 'VORN_MethodTest REF', method_test_name(second)), ('ElementName', 'string', element)])
    return out


def main():
    cimxml, out = Path(sys.argv[1]), Path(sys.argv[2])
    decls = parse_qualifier_mof((cimxml / 'mof' / 'qualifiers.mof').read_text())
    schema = Schema(decls)
    mof = (cimxml / 'mof' / 'schema.mof').read_text()
    write_declaration(out / 'qualifiers.xml', ''.join(qualifier_declaration(q) for q in decls))
    write_declaration(out / 'capture-schema.xml', capture_classes(cimxml, mof))
    write_declaration(out / 'capture-instances.xml', capture_instances(cimxml, mof))
    write_declaration(out / 'test-classes.xml', test_classes(schema))
    write_declaration(out / 'sample-provider.xml', sample_provider_class(schema))
    write_declaration(out / 'demo-schema.xml', ''.join(schema.cls(c) for c in DEMO_CLASSES))
    write_declaration(out / 'demo-instances.xml', demo_instances())
    write_declaration(out / 'method-test.xml',
                      ''.join(schema.cls(c) for c in METHOD_TEST_CLASSES) + method_test_instances())


if __name__ == '__main__':
    main()
