# Read by CPack before it makes the packages. dpkg-shlibdeps finds the shared
# libraries the programs link, but not what Qt loads by name at run time: the
# QML modules the screens import and the SQL driver of the stand-in's
# database. Those are looked up here, each file mapped to the Debian package
# that ships it, so the Depends lines follow the code rather than a list kept
# by hand.

if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

# The one installed package that owns a file; packaging stops when none does
# (a Qt outside the package manager cannot be depended on).
function(vantrel_owning_package file what result)
  execute_process(COMMAND dpkg-query -S "${file}"
    OUTPUT_VARIABLE owners ERROR_VARIABLE error RESULT_VARIABLE failed)
  # "name:arch: /path" (or "name: /path" for an architecture-independent one)
  if(failed OR NOT owners MATCHES "^([a-z0-9][a-z0-9+.-]*)(:[a-z0-9-]+)?: ")
    message(FATAL_ERROR "No Debian package ships ${file} (${what}), which the packages "
                        "need at run time: ${error}")
  endif()
  set(${result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${VANTREL_QTPATHS}" --query QT_INSTALL_QML
  OUTPUT_VARIABLE qt_qml_dir OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${VANTREL_QMLIMPORTSCANNER}" -rootPath "${VANTREL_QML_DIR}" -importPath "${qt_qml_dir}"
  OUTPUT_VARIABLE imports ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)

# The scanner follows each module's own imports, so the styles and templates
# Qt Quick Controls pulls in are listed too. The app's own modules are not on
# the import path (they are compiled in) and come without a path.
set(qml_packages)
string(JSON count LENGTH "${imports}")
if(count GREATER 0)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    string(JSON type ERROR_VARIABLE no_type GET "${imports}" ${i} type)
    string(JSON name ERROR_VARIABLE no_name GET "${imports}" ${i} name)
    string(JSON path ERROR_VARIABLE no_path GET "${imports}" ${i} path)
    if(NOT type STREQUAL "module" OR no_path)
      continue()
    endif()
    # A module folder without a qmldir (QtQml itself) is built into the Qt
    # QML library, which dpkg-shlibdeps already finds.
    if(NOT EXISTS "${path}/qmldir")
      continue()
    endif()
    vantrel_owning_package("${path}/qmldir" "QML module ${name}" package)
    list(APPEND qml_packages ${package})
  endforeach()
endif()
if(NOT qml_packages)
  message(FATAL_ERROR "No QML module of the screens in ${VANTREL_QML_DIR} was found under ${qt_qml_dir}.")
endif()

# The scanner cannot read the qmldir files Qt keeps inside its libraries
# (QtQml's), so the modules those import (QtQml.WorkerScript) escape it. The
# engine itself tells: the app is started once without a screen, in a scratch
# home of its own (no keychain, no settings, no running copy to hand over to),
# and traces the module folders it loads.
if(VANTREL_APP_PROGRAM)
  set(scratch "${CPACK_PACKAGE_DIRECTORY}/qml-trace")
  file(REMOVE_RECURSE "${scratch}")
  file(MAKE_DIRECTORY "${scratch}")
  execute_process(
    COMMAND timeout --kill-after=2 8
            env -u DBUS_SESSION_BUS_ADDRESS -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR
                -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME
                HOME=${scratch} TMPDIR=${scratch} QT_QPA_PLATFORM=offscreen QML_IMPORT_TRACE=1
                "${VANTREL_APP_PROGRAM}"
    WORKING_DIRECTORY "${scratch}" OUTPUT_VARIABLE trace ERROR_VARIABLE trace RESULT_VARIABLE ended)
  file(REMOVE_RECURSE "${scratch}")
  string(REGEX MATCHALL "loaded \"/[^\"]+/qmldir\"" loaded "${trace}")
  if(NOT loaded)
    message(FATAL_ERROR "Started without a screen, ${VANTREL_APP_PROGRAM} loaded no QML module from disk "
                        "(${ended}):\n${trace}")
  endif()
  foreach(hit IN LISTS loaded)
    string(REGEX REPLACE "^loaded \"(.*)\"$" "\\1" qmldir "${hit}")
    vantrel_owning_package("${qmldir}" "QML module loaded by the app" package)
    list(APPEND qml_packages ${package})
  endforeach()
endif()
list(REMOVE_DUPLICATES qml_packages)
list(SORT qml_packages)
list(JOIN qml_packages ", " CPACK_DEBIAN_APP_PACKAGE_DEPENDS)
message(STATUS "vantrel-checkout: QML modules from ${CPACK_DEBIAN_APP_PACKAGE_DEPENDS}")

vantrel_owning_package("${VANTREL_QT_SQLITE_DRIVER}" "Qt's SQLite driver" CPACK_DEBIAN_STANDIN_PACKAGE_DEPENDS)
message(STATUS "vantrel-checkout-standin: SQL driver from ${CPACK_DEBIAN_STANDIN_PACKAGE_DEPENDS}")
