# Run at install time, when the prefix is known: writes the desktop entry, whose Exec names the
# installed executable. The path is quoted and escaped as desktop entries ask, so that a folder
# with spaces, quotes or "%" in its name still starts the program.
# A relative prefix stands for a folder under the one the install runs in, as for the files.
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_PREFIX OUTPUT_VARIABLE prefix)
cmake_path(ABSOLUTE_PATH ZOLTREK_BINDIR BASE_DIRECTORY "${prefix}" OUTPUT_VARIABLE bindir)
cmake_path(ABSOLUTE_PATH ZOLTREK_DATADIR BASE_DIRECTORY "${prefix}" OUTPUT_VARIABLE datadir)
set(exe "${bindir}/zoltrek")
if(exe MATCHES "[\r\n]")
  message(FATAL_ERROR "A desktop entry cannot start a program whose path breaks the line: ${exe}")
endif()
string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" quoted "${exe}")  # inside the double quotes
string(REPLACE "\\" "\\\\" quoted "${quoted}")                 # the entry's own string escape
string(REPLACE "%" "%%" quoted "${quoted}")                    # not a field code
set(ZOLTREK_EXEC "\"${quoted}\"")
configure_file("${ZOLTREK_DESKTOP_IN}" "${ZOLTREK_DESKTOP_OUT}" @ONLY)
file(INSTALL "${ZOLTREK_DESKTOP_OUT}" DESTINATION "${datadir}/applications")
