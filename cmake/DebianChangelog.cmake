# The Debian changelog (assets/debian/changelog) is the one list of releases:
# the package installs it, and the AppStream metainfo's <releases> and the
# manual pages' date are read from it here.

# The text of an item as XML character data.
function(_halvorn_xml_item out_var text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out_var} "          <li>${text}</li>\n" PARENT_SCOPE)
endfunction()

# halvorn_read_changelog(FILE VERSION_VAR DATE_VAR RELEASES_VAR)
# VERSION_VAR: the latest entry's version. DATE_VAR: its date, YYYY-MM-DD.
# RELEASES_VAR: a <release> element for every entry, newest first, its
# description the entry's items.
function(halvorn_read_changelog file version_var date_var releases_var)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(READ ${file} text)
  # Entries hold semicolons ("unstable; urgency=medium"), which would split
  # a CMake list: each line is kept with them swapped for a byte no text has.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")

  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  set(releases "")
  set(versions "")
  set(dates "")
  set(items "")
  set(item "")
  foreach(line IN LISTS lines)
    string(REPLACE "${semicolon}" ";" line "${line}")
    if(line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\)")
      set(version ${CMAKE_MATCH_1})
    elseif(line MATCHES "^  \\* (.*)$")
      if(NOT item STREQUAL "")
        _halvorn_xml_item(element "${item}")
        string(APPEND items "${element}")
      endif()
      set(item "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^    +(.*)$")
      string(APPEND item " ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
      if(NOT item STREQUAL "")
        _halvorn_xml_item(element "${item}")
        string(APPEND items "${element}")
      endif()
      set(item "")
      list(FIND months ${CMAKE_MATCH_2} month)
      if(month LESS 0 OR NOT DEFINED version)
        message(FATAL_ERROR "${file}: cannot read the entry that ends with: ${line}")
      endif()
      math(EXPR month "${month} + 1")
      set(day ${CMAKE_MATCH_1})
      if(month LESS 10)
        set(month 0${month})
      endif()
      if(day LESS 10)
        set(day 0${day})
      endif()
      set(date ${CMAKE_MATCH_3}-${month}-${day})
      string(APPEND releases
        "    <release version=\"${version}\" date=\"${date}\">\n"
        "      <description>\n"
        "        <ul>\n"
        "${items}"
        "        </ul>\n"
        "      </description>\n"
        "    </release>\n")
      list(APPEND versions ${version})
      list(APPEND dates ${date})
      set(items "")
      unset(version)
    endif()
  endforeach()

  if(NOT versions)
    message(FATAL_ERROR "${file} has no complete entry")
  endif()
  list(GET versions 0 latest_version)
  list(GET dates 0 latest_date)
  string(REGEX REPLACE "\n$" "" releases "${releases}")
  set(${version_var} ${latest_version} PARENT_SCOPE)
  set(${date_var} ${latest_date} PARENT_SCOPE)
  set(${releases_var} "${releases}" PARENT_SCOPE)
endfunction()
