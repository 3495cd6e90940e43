# Checks what a Windows module needs from and offers to its host, from the
# import and export tables that objdump prints:
#   - every imported DLL is one of ALLOWED_DLLS (system libraries only);
#   - the exported names are exactly EXPORTS, undecorated.
#   cmake -DOBJDUMP=... -DMODULE=... -DALLOWED_DLLS=a,b -DEXPORTS=x,y -P check_module_linkage.cmake
cmake_minimum_required(VERSION 3.16)
string(REPLACE "," ";" allowed "${ALLOWED_DLLS}")
string(REPLACE "," ";" expected_exports "${EXPORTS}")
string(TOUPPER "${allowed}" allowed)

execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${MODULE} failed: ${result}")
endif()

set(failures "")

string(REGEX MATCHALL "DLL Name: [^\n]+" dll_lines "${dump}")
set(dlls "")
foreach(line IN LISTS dll_lines)
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  list(APPEND dlls ${dll})
  string(TOUPPER "${dll}" upper)
  string(REGEX REPLACE "\\.DLL$" "" upper "${upper}")
  if(NOT upper IN_LIST allowed)
    list(APPEND failures "imports ${dll}, which is not a system library")
  endif()
endforeach()

# The export names follow the line "[Ordinal/Name Pointer] Table" up to the
# next blank line, one "[  n] Name" each.
set(exports "")
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" table_at)
if(NOT table_at EQUAL -1)
  string(SUBSTRING "${dump}" ${table_at} -1 table)
  string(FIND "${table}" "\n\n" table_end)
  if(NOT table_end EQUAL -1)
    string(SUBSTRING "${table}" 0 ${table_end} table)
  endif()
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" export_lines "${table}")
  foreach(line IN LISTS export_lines)
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${line}")
    list(APPEND exports ${name})
  endforeach()
endif()
list(SORT exports)
list(SORT expected_exports)
if(NOT exports STREQUAL expected_exports)
  list(APPEND failures "exports [${exports}], expected exactly [${expected_exports}]")
endif()

message(STATUS "${MODULE}\n  imports: ${dlls}\n  exports: ${exports}")
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${MODULE}:\n  ${text}")
endif()
