# Checks the generated manifest against what the manifest parser of Windows XP SP2 and SP3 accepts:
# - an element XP does not know must not be in the asm.v1 namespace: XP refuses to start the program
#   ("The element trustInfo appears as a child of element urn:schemas-microsoft-com:asm.v1^assembly which is
#   not supported by this version of Windows"); in a namespace of its own it is ignored;
# - no element may declare the same namespace twice: XP SP2 and Server 2003 without SP1 restart the machine
#   (fixed by KB921337);
# - trustInfo in asm.v2, the namespace every system from XP on reads for it;
# - the DPI settings in the namespaces of the Windows that read them: dpiAware (system awareness, Vista on) in
#   the 2005 one, dpiAwareness (per-monitor v2, Windows 10 1703 on) in the 2016 one; both inside asm.v3's
#   windowsSettings, which XP skips.
cmake_minimum_required(VERSION 3.25)
file(READ ${MANIFEST} xml)
string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" xml "${xml}")
set(asm_v1 "urn:schemas-microsoft-com:asm.v1")
set(known_to_xp assembly assemblyIdentity description dependency dependentAssembly file noInherit)
set(required_ns
    "trustInfo=urn:schemas-microsoft-com:asm.v2"
    "compatibility=urn:schemas-microsoft-com:compatibility.v1"
    "windowsSettings=urn:schemas-microsoft-com:asm.v3"
    "dpiAware=http://schemas.microsoft.com/SMI/2005/WindowsSettings"
    "dpiAwareness=http://schemas.microsoft.com/SMI/2016/WindowsSettings")

string(REGEX MATCHALL "<[^>]+>" tags "${xml}")
set(stack "")
foreach(tag IN LISTS tags)
    if(tag MATCHES "^<[?!]")
        continue()
    endif()
    if(tag MATCHES "^</")
        list(POP_BACK stack)
        continue()
    endif()
    string(REGEX MATCH "^<([A-Za-z0-9_:.-]+)" _ "${tag}")
    set(name ${CMAKE_MATCH_1})
    string(REGEX MATCHALL "xmlns(:[A-Za-z0-9_]+)?=\"[^\"]*\"" declared "${tag}")
    set(seen "")
    foreach(d IN LISTS declared)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\"$" "\\1" uri "${d}")
        if(uri IN_LIST seen)
            message(FATAL_ERROR "<${name}> declares ${uri} twice: XP SP2 restarts the machine on it")
        endif()
        list(APPEND seen ${uri})
    endforeach()
    if(tag MATCHES " xmlns=\"([^\"]*)\"")
        set(ns ${CMAKE_MATCH_1})
    elseif(stack)
        list(GET stack -1 ns)
    else()
        message(FATAL_ERROR "the root element declares no namespace")
    endif()
    if(ns STREQUAL asm_v1 AND NOT name IN_LIST known_to_xp)
        message(FATAL_ERROR "<${name}> is in ${asm_v1}, where XP's parser does not know it: XP would refuse to start")
    endif()
    foreach(rule IN LISTS required_ns)
        string(REGEX REPLACE "=.*" "" rule_name "${rule}")
        string(REGEX REPLACE "^[^=]*=" "" rule_ns "${rule}")
        if(name STREQUAL rule_name AND NOT ns STREQUAL rule_ns)
            message(FATAL_ERROR "<${name}> must be in ${rule_ns}, not ${ns}")
        endif()
    endforeach()
    if(NOT tag MATCHES "/>$")
        list(APPEND stack ${ns})
    endif()
endforeach()
if(stack)
    message(FATAL_ERROR "unbalanced elements in ${MANIFEST}")
endif()

# Without these the version query of Windows 8.1 and later reports 6.2, and System's name would be wrong.
foreach(os e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a
           4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78
           8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
    if(NOT xml MATCHES "<supportedOS Id=\"{${os}}\"/>")
        message(FATAL_ERROR "the manifest does not declare the system {${os}}")
    endif()
endforeach()
if(NOT xml MATCHES "<dpiAware[^>]*>true</dpiAware>")
    message(FATAL_ERROR "the manifest does not declare system DPI awareness")
endif()
# Windows 10 1703 on takes the first value it knows: per-monitor v2; 1607 knows only "System". Before 1607 the
# element is unknown and dpiAware holds.
if(NOT xml MATCHES "<dpiAwareness[^>]*>PerMonitorV2, System</dpiAwareness>")
    message(FATAL_ERROR "the manifest does not declare per-monitor DPI awareness (v2), falling back to system")
endif()
message(STATUS "${MANIFEST}: safe for the manifest parser of XP SP2 and SP3")
