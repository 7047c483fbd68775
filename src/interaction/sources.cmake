# Header-only: what the logic asks of the user and of the screens.
vorleth_layer(interaction LINKS vorleth_store)
