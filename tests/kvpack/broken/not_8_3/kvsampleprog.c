/* K-VOX sample program */
