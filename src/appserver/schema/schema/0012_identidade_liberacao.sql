-- What the document identity, access key and release checks read: the recipient's manifestations on NF-e
-- keys, the stock implantations by branch and day, and who may release postings with which password.

-- The duplicate-number and access-key checks look postings up by participant and by key.
CREATE INDEX IX_NOTAFISCAL_FORNECED ON NOTAFISCAL (CDFORNECED, NRNOTAFISC);
CREATE INDEX IX_NOTAFISCAL_CLIENTE ON NOTAFISCAL (CDCLIENTE, NRNOTAFISC);
CREATE INDEX IX_NOTAFISCAL_FILIEMIT ON NOTAFISCAL (CDFILIEMIT, NRNOTAFISC);
CREATE INDEX IX_NOTAFISCAL_ACESSO ON NOTAFISCAL (NRACESSONFE);

-- The recipient's manifestations on an NF-e, per company and state registration; the latest one holds.
-- Codes: 2 Denegada, 3 Cancelada, 4 Operação Confirmada, 5 Operação desconhecida, 6 Operação Não Realizada,
-- 8 Ciência da Emissão.
CREATE TABLE MANIFDESTNFE (
    CDEMPRESA   VARCHAR(2)  NOT NULL,
    CDINSCESTA  VARCHAR(16) NOT NULL,
    NRACESSONFE VARCHAR(44) NOT NULL,
    DTMANIFEST  TIMESTAMP   NOT NULL,
    CDMANIFEST  VARCHAR(1)  NOT NULL CHECK (CDMANIFEST BETWEEN '1' AND '8'),
    CDOPERADOR  VARCHAR(12),
    PRIMARY KEY (CDEMPRESA, CDINSCESTA, NRACESSONFE, DTMANIFEST),
    FOREIGN KEY (CDEMPRESA, CDINSCESTA) REFERENCES INSCESTADUAL (CDEMPRESA, CDINSCESTA)
);

-- The stock implantations made (the last posting of the day): a posting of that branch and entry day may
-- cause stock irregularities and asks the clerk first.
CREATE TABLE IMPLANTESTQ (
    CDFILIAL   VARCHAR(4)  NOT NULL REFERENCES FILIAL (CDFILIAL),
    DTIMPLANT  DATE        NOT NULL,
    DTREGISTRO TIMESTAMP,
    CDOPERADOR VARCHAR(12),
    PRIMARY KEY (CDFILIAL, DTIMPLANT)
);

-- The branches at which an operator may release postings outside the entry-date window.
CREATE TABLE OPERLIBERAFIL (
    CDOPERADOR VARCHAR(12) NOT NULL REFERENCES OPERADOR (CDOPERADOR),
    CDFILIAL   VARCHAR(4)  NOT NULL REFERENCES FILIAL (CDFILIAL),
    PRIMARY KEY (CDOPERADOR, CDFILIAL)
);

-- The operator's release password, only as a salted Argon2id hash string (libsodium's crypto_pwhash_str).
CREATE TABLE SENHALIBERACAO (
    CDOPERADOR  VARCHAR(12)  NOT NULL PRIMARY KEY REFERENCES OPERADOR (CDOPERADOR),
    DSHASHSENHA VARCHAR(128) NOT NULL,
    DTALTERACAO TIMESTAMP
);

-- Consecutive wrong release passwords per operator code (also codes no operator has, so that they look
-- alike), and until when further tries are refused unverified.
CREATE TABLE FALHASENHALIB (
    CDOPERADOR VARCHAR(12) NOT NULL PRIMARY KEY,
    QTFALHAS   INTEGER     NOT NULL,
    DTBLOQATE  TIMESTAMP
);
