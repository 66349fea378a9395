# Warnings and sanitizers shared by every target of the project.
add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE -Wall -Wextra -Wpedantic)
if(CASSIVO_WERROR)
    target_compile_options(project_options INTERFACE -Werror)
endif()

if(CASSIVO_SANITIZE)
    # Without UBSan's null and alignment checks: they instrument every member
    # access and cost GCC a third of this build's compile time, while ASan
    # already stops at a null dereference, x86 does not fault on alignment,
    # and the fuzz build (clang) keeps both checks on the library.
    target_compile_options(project_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize=null,alignment
        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()

if(CASSIVO_COVERAGE)
    target_compile_options(project_options INTERFACE --coverage)
    target_link_options(project_options INTERFACE --coverage)
endif()

if(CASSIVO_SANITIZE_THREAD)
    # Every target, the library included, so that its threads are seen too.
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
