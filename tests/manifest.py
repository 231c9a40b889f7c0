"""Reads the manifest back out of the program file with wrestool (icoutils)
and checks each entry that decides how Windows runs it.

    manifest.py KAVLO_EXE
"""
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

ASM3 = "{urn:schemas-microsoft-com:asm.v3}"
OS = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS = f"{ASM3}application/{ASM3}windowsSettings/"
SUPPORTED_OS = f"{OS}compatibility/{OS}application/{OS}supportedOS[@Id='%s']"
# Where, the attribute read (None: the element's text), and its value.
ENTRIES = [
    (f"{ASM3}trustInfo/{ASM3}security/{ASM3}requestedPrivileges/{ASM3}requestedExecutionLevel", "level", "asInvoker"),
    *((SUPPORTED_OS % guid, "Id", guid) for guid in (
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
    )),
    (SETTINGS + "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness", None, "PerMonitorV2"),
    (SETTINGS + "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware", None, "true/pm"),
    (SETTINGS + "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}longPathAware", None, "true"),
]

text = subprocess.run(["wrestool", "--extract", "--raw", "--type=24", "--name=1", sys.argv[1]],
                      check=True, capture_output=True, timeout=30).stdout
if not text:
    sys.exit(f"FAIL: {sys.argv[1]} has no manifest")
print(text.decode())
root = ElementTree.fromstring(text)
failed = root.tag != "{urn:schemas-microsoft-com:asm.v1}assembly"
for path, attribute, expected in ENTRIES:
    values = [e.get(attribute) if attribute else (e.text or "").strip() for e in root.findall(path)]
    ok = values == [expected]
    failed |= not ok
    print(f"{'PASS' if ok else 'FAIL'}: {path.split('/')[-1].split('}', 1)[1]}: {values}")
sys.exit(1 if failed else 0)
