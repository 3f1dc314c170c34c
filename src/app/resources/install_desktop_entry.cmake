# Writes the desktop entry at install time, with the full path of the
# installed window in Exec.
cmake_path(ABSOLUTE_PATH pimoru_bindir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE bin_folder)
cmake_path(ABSOLUTE_PATH pimoru_datadir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE data_folder)
set(PIMORU_EXEC "\"${bin_folder}/pimoru\"")
set(entry "$ENV{DESTDIR}${data_folder}/applications/pimoru.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${pimoru_desktop_template}" "${entry}" @ONLY)
