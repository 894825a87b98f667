function __sound_2() { 
__audio_init__(this, sound_2, '', '', 'aud/a.ogg');
}; var sound_2 = new __sound_2();

function __sound_4() { 
__audio_init__(this, sound_4, 'aud/b.wav', 'aud/b.mp3', 'aud/b.ogg');
}; var sound_4 = new __sound_4();

