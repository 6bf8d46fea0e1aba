# Run by cpack on the staged files, before it packs them: what Debian asks of a package beyond
# the install rules. Manual pages compressed, and in /usr/share/doc/brelker the copyright notice
# and a changelog, written from the release notes of the software-centre description so that
# the two never tell different stories.
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${usr}/share/doc/${CPACK_PACKAGE_NAME}")

# gzip -n: no name or time stamp in the header, so that the same files pack to the same bytes.
file(GLOB pages "${usr}/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf "${page}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

file(COPY "${CPACK_BRELKER_SOURCE_DIR}/packaging/copyright" DESTINATION "${doc}"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

file(READ "${CPACK_BRELKER_SOURCE_DIR}/data/org.tolvena.brelker.metainfo.xml" metainfo)
set(release "<release version=\"${CPACK_PACKAGE_VERSION}\" date=\"([0-9-]+)\">")
if(NOT metainfo MATCHES "${release}[ \n]*<description>[ \n]*<p>([^<]*)</p>")
    message(FATAL_ERROR "the metainfo has no release notes for ${CPACK_PACKAGE_VERSION}")
endif()
set(date "${CMAKE_MATCH_1}")
string(REGEX REPLACE "[ \n]+" " " notes "${CMAKE_MATCH_2}")
string(STRIP "${notes}" notes)
# A changelog line stays under 80 columns: fold at 74, after the four columns of indent.
file(WRITE "${doc}/notes" "${notes}\n")
execute_process(COMMAND fold -s -w 74 "${doc}/notes" OUTPUT_VARIABLE notes
    COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE "${doc}/notes")
string(REGEX REPLACE " *\n" "\n    " notes "${notes}")
string(STRIP "${notes}" notes)
execute_process(COMMAND date -u -R -d "${date}" OUTPUT_VARIABLE date
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE "${doc}/changelog"
    "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) stable; urgency=medium\n\n"
    "  * ${notes}\n\n"
    " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
file(CHMOD "${doc}/changelog" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
execute_process(COMMAND gzip -9nf "${doc}/changelog" COMMAND_ERROR_IS_FATAL ANY)
