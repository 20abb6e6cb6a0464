K-VOX tip
