# The three addresses the product opens, as build options. A value that starts
# with "#" is a section of the installed help page (InstalledDir + Help\Help.htm
# + the value), so a build without real web pages still opens real content;
# anything else is used as it is, for example "http://www.example.com/".
set(CVL_WEB_SITE_ADDRESS "#about" CACHE STRING
    "what Help > Veltrop Web Site opens: a web address, or #section of the help page")
set(CVL_UPDATES_ADDRESS "#install" CACHE STRING
    "what Help > Check for Updates opens: a web address, or #section of the help page")
set(CVL_PLUGINS_ADDRESS "#plugins" CACHE STRING
    "the link of the settings' Plugins tab: a web address, or #section of the help page")

foreach(name CVL_WEB_SITE_ADDRESS CVL_UPDATES_ADDRESS CVL_PLUGINS_ADDRESS)
  string(REPLACE "\\" "\\\\" value "${${name}}")
  string(REPLACE "\"" "\\\"" value "${value}")
  set(${name}_TEXT "${value}")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/CvlAddresses.h.in
               ${CMAKE_BINARY_DIR}/generated/CvlAddresses.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
