// The backdrop: the full-screen window behind the welcome dialog.
#ifndef KUBRELSE_SETUP_BACKDROP_H
#define KUBRELSE_SETUP_BACKDROP_H

// Creates the backdrop as launcher.backdropWindow and returns once its
// first paint is done; 0 when it cannot be created.
int createBackdrop();

#endif
