# Warnings for every target of the project: the usual sets, and the ones that
# have caught real faults in code like ours (a local hiding a loop variable of
# the same name, a class deleted through a base without a virtual destructor,
# a format string that does not match its arguments, a switch case running into
# the next).
add_compile_options(-Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wformat=2
                    -Wimplicit-fallthrough -Wundef -Wcast-qual)

# CI builds with every warning an error, so that none creeps in unnoticed; off
# by default so that a newer compiler's new warnings never stop a user's build.
option(LUMISTRA_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
if(LUMISTRA_WARNINGS_AS_ERRORS)
  add_compile_options(-Werror)
endif()

if(LUMISTRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

# The engine's arithmetic must give the same bytes on every platform we ship:
# no fused multiply-add contraction, and SSE2 rather than x87 on 32-bit x86.
function(lumistra_exact_arithmetic target)
  target_compile_options(${target} PRIVATE -ffp-contract=off)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$" OR
     (CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "86"))
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()
