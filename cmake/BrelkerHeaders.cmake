# brelker_headers(<target>)
#
# Gives a library its folder's headers under the folder's name ("transfer/Engine.h") through a
# folder of the build tree that holds nothing else. Whoever links the library sees them, and no
# one else does: a header that reaches up a layer (settings including the transfer core, say)
# fails to compile instead of compiling because the whole of src/ is on every include path.
function(brelker_headers target)
    get_filename_component(_folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(_root ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${_root})
    file(REMOVE ${_root}/${_folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${_root}/${_folder} SYMBOLIC COPY_ON_ERROR)
    target_include_directories(${target} PUBLIC ${_root})
endfunction()
