# SPDX-License-Identifier: MIT
# Warning flags for our own targets; third-party headers stay outside this.
function(vantro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wswitch-enum)
  if(VANTRO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(VANTRO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VANTRO_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
