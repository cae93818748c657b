# Run at install time, when the prefix is known: writes the desktop entry, whose Exec names the
# installed executable. The path is quoted and escaped as desktop entries ask, so that a folder
# with spaces, quotes or "%" in its name still starts the program.
set(exe "${CMAKE_INSTALL_PREFIX}/${ZOLTREK_BINDIR}/zoltrek")
if(IS_ABSOLUTE "${ZOLTREK_BINDIR}")
  set(exe "${ZOLTREK_BINDIR}/zoltrek")
endif()
if(exe MATCHES "[\r\n]")
  message(FATAL_ERROR "A desktop entry cannot start a program whose path breaks the line: ${exe}")
endif()
string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" quoted "${exe}")  # inside the double quotes
string(REPLACE "\\" "\\\\" quoted "${quoted}")                 # the entry's own string escape
string(REPLACE "%" "%%" quoted "${quoted}")                    # not a field code
set(ZOLTREK_EXEC "\"${quoted}\"")
configure_file("${ZOLTREK_DESKTOP_IN}" "${ZOLTREK_DESKTOP_OUT}" @ONLY)
set(applications "${CMAKE_INSTALL_PREFIX}/${ZOLTREK_DATADIR}/applications")
if(IS_ABSOLUTE "${ZOLTREK_DATADIR}")
  set(applications "${ZOLTREK_DATADIR}/applications")
endif()
file(INSTALL "${ZOLTREK_DESKTOP_OUT}" DESTINATION "${applications}")
