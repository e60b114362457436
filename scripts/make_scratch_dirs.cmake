# Creates GAME_DIR/BUN/<a>/<b> for every pair of letters k..t.
set(letters k l m n o p q r s t)
foreach(a ${letters})
  foreach(b ${letters})
    file(MAKE_DIRECTORY ${GAME_DIR}/BUN/${a}/${b})
  endforeach()
endforeach()
