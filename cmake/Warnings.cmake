# Warnings are errors in the project's own code, so the 32-bit build stays
# as clean as the 64-bit one.
function(kubrelse_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic -Werror)
endfunction()
