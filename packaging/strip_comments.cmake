# Run by cpack on the staged files before it packs them: drops from the
# programs the sections that say only which compiler built them, as Debian's
# own packaging does.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PIMORU_BINDIR}/*")
foreach(program ${programs})
  execute_process(
    COMMAND "${CPACK_PIMORU_STRIP}" --remove-section=.comment
            --remove-section=.note "${program}"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
