function __music_5() { 
__audio_init__(this, music_5, '', 'sounds/tune\'s.mp3', '');
}; var music_5 = new __music_5();

