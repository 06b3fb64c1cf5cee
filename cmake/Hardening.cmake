# The hardening Debian builds its packages with (dpkg-buildflags), plus immediate binding and
# control-flow protection, in every build: the binary `make run` starts is the one the package
# holds, and the tests run against the same code.
include(CheckCXXCompilerFlag)

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
add_link_options(-Wl,-z,relro -Wl,-z,now)

check_cxx_compiler_flag(-fstack-clash-protection VORN_HAS_STACK_CLASH_PROTECTION)
if(VORN_HAS_STACK_CLASH_PROTECTION)
  add_compile_options(-fstack-clash-protection)
endif()

# Control-flow protection where the compiler offers it (x86). Every object compiled here and the
# compiler's own start files carry its marks, but Debian 12's C library start files do not, and
# one object without them clears them from the whole binary: the linker is told to set them.
check_cxx_compiler_flag(-fcf-protection VORN_HAS_CF_PROTECTION)
if(VORN_HAS_CF_PROTECTION)
  add_compile_options(-fcf-protection)
  add_link_options(-Wl,-z,ibt -Wl,-z,shstk)
endif()

# Fortified calls need the optimiser to know the buffer sizes, and under the sanitizers they
# would stand in for the calls the sanitizers watch.
if(NOT VORN_SANITIZE)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()
