/* ---------------------------------------------------------------------
   Extensions
   --------------------------------------------------------------------- */
//ZEMBRIK_EXTENSIONS

/* ---------------------------------------------------------------------
   Global functions
   --------------------------------------------------------------------- */
//ZEMBRIK_GLOBAL_FUNCTIONS

/* Sprites */
//ZEMBRIK_SPRITES

/* Sounds */
zm_audio_kind = 0;
//ZEMBRIK_SOUNDS

/* Musics */
zm_audio_kind = 1;
//ZEMBRIK_MUSICS
zm_audio_kind = 0;

/* Backgrounds */
//ZEMBRIK_BACKGROUNDS

/* Fonts */
//ZEMBRIK_FONTS

/* Objects */
//ZEMBRIK_OBJECTS

/* Scenes */
//ZEMBRIK_SCENES

/* Global variables */
//ZEMBRIK_GLOBAL_VARIABLES

/* Boot: wait for the pictures, then start the first scene. */
zm_loaded = true;
if (zm_document.readyState === 'loading') {
  zm_document.addEventListener('DOMContentLoaded', zm_boot);
} else {
  zm_boot();
}
